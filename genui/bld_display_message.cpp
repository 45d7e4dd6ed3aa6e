// Resource-failure messages: a string-table text with the resource's name behind it.
#include <cstdio>
#include <cstring>

#include "framework/winapp.h"
#include "genui/bld_helpers.h"

namespace {

// Room for the text, its zero and a little more, as the string is loaded with a limit.
constexpr int kMessageBufferSize = 204;
constexpr int kNameBufferSize = 16;

}  // namespace

int BLDDisplayMessage(HWND hWndOwner, UINT nID, const char* lpszName, UINT nStyle) {
  char text[kMessageBufferSize] = "";
  if (nID != 0 &&
      LoadStringA(AfxGetInstanceHandle(), nID, text, kMessageTextLimit + 1) == 0) {
    MessageBoxExA(hWndOwner, kCannotLoadString, kMessageTitle, MB_SYSTEMMODAL | MB_ICONHAND, 0);
    return 0;
  }
  // A resource named by number has no text to show; its number stands for it.
  char number[kNameBufferSize];
  if (lpszName != nullptr && IS_INTRESOURCE(lpszName)) {
    std::snprintf(number, sizeof number, "#%u",
                  static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(lpszName)));
    lpszName = number;
  }
  if (lpszName != nullptr &&
      std::strlen(text) + std::strlen(lpszName) + 1 <= static_cast<std::size_t>(kMessageTextLimit)) {
    std::strcat(text, " ");
    std::strcat(text, lpszName);
  }
  return MessageBoxExA(hWndOwner, text, kMessageTitle, nStyle, 0);
}
