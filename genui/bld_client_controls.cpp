// The client dialog: created from its template as a child of the main window, which is
// then sized so that its client area is exactly the dialog's size.
#include <cstring>
#include <vector>

#include "framework/winapp.h"
#include "genui/application.h"
#include "genui/bld_helpers.h"
#include "genui/kadril_dialogs.h"

namespace {

// What a client dialog may not keep from its template: it is a child without a frame.
constexpr DWORD kStylesRemoved = WS_POPUP | WS_MINIMIZE | WS_MAXIMIZE | WS_CAPTION | WS_SYSMENU |
                                 WS_THICKFRAME | DS_MODALFRAME;
constexpr DWORD kStylesAdded = WS_CHILD | WS_CLIPSIBLINGS;
// An extended template starts with version 1 and the signature 0xFFFF; its style follows
// the help id and the extended style.
constexpr WORD kExtendedSignature = 0xFFFF;
constexpr std::size_t kExtendedStyleOffset = 12;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// A copy of the template with the style of a client dialog; empty when it is too short.
std::vector<DWORD> ChildTemplate(const void* resource, DWORD size) {
  std::vector<DWORD> copy((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  if (size < sizeof(DLGTEMPLATE)) return {};
  std::memcpy(copy.data(), resource, size);
  auto* bytes = reinterpret_cast<unsigned char*>(copy.data());
  WORD signature;
  std::memcpy(&signature, bytes + sizeof(WORD), sizeof signature);
  const std::size_t offset = signature == kExtendedSignature ? kExtendedStyleOffset : 0;
  if (offset + sizeof(DWORD) > size) return {};
  DWORD style;
  std::memcpy(&style, bytes + offset, sizeof style);
  style = (style & ~kStylesRemoved) | kStylesAdded;
  std::memcpy(bytes + offset, &style, sizeof style);
  return copy;
}

}  // namespace

int BLDCreateClientControls(const char* lpszTemplateName, CKadrilClientDlg* pDialog) {
  CWnd* pMain = TheApp.pMainWnd;
  if (pMain == nullptr || !IsWindow(pMain->hWnd) || pDialog == nullptr) return 0;
  HWND hMain = pMain->hWnd;
  if (IsZoomed(hMain)) ShowWindow(hMain, SW_RESTORE);

  // The earlier panel goes; its object deletes itself and clears pClientDlg.
  CKadrilClientDlg* pOld = TheApp.pClientDlg;
  if (pOld != nullptr && pOld != pDialog && IsWindow(pOld->hWnd)) pOld->DestroyWindow();

  HINSTANCE hInstance = AfxGetInstanceHandle();
  HRSRC hInfo = FindResourceA(hInstance, lpszTemplateName, RT_DIALOG);
  if (hInfo == nullptr) return 0;
  HGLOBAL hResource = LoadResource(hInstance, hInfo);
  if (hResource == nullptr) return 0;
  const void* pResource = LockResource(hResource);
  if (pResource == nullptr) return 0;

  // The resource stays as it is; the dialog is made from a child-style copy.
  std::vector<DWORD> childTemplate = ChildTemplate(pResource, SizeofResource(hInstance, hInfo));
  const BOOL created = !childTemplate.empty() && pDialog->doCreateIndirect(childTemplate.data(), nullptr);
  FreeResource(hResource);
  if (!created) return 0;
  HWND hDialog = pDialog->hWnd;

  RECT client, mainRect, dialogRect;
  GetClientRect(hMain, &client);
  GetWindowRect(hMain, &mainRect);
  GetWindowRect(hDialog, &dialogRect);
  const int dW = Width(dialogRect) - Width(client);
  const int dH = Height(dialogRect) - Height(client);
  BLDMoveWindow(hMain, mainRect.left, mainRect.top, Width(mainRect) + dW, Height(mainRect) + dH, TRUE);
  MoveWindow(hDialog, 0, 0, Width(dialogRect), Height(dialogRect), TRUE);

  // A menu bar that wrapped into more rows took height from the client area: once more,
  // by the shortfall.
  GetClientRect(hMain, &client);
  if (Height(client) < Height(dialogRect)) {
    const int shortfall = Height(dialogRect) - Height(client);
    BLDMoveWindow(hMain, mainRect.left, mainRect.top, Width(mainRect) + dW,
                  Height(mainRect) + dH + shortfall, TRUE);
  }

  InvalidateRect(hDialog, nullptr, TRUE);
  TheApp.pClientDlg = pDialog;
  ShowWindow(hDialog, SW_SHOW);
  return 1;
}
