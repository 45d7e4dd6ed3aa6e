// The lstr* string helpers. Win32 guards them against bad pointers: a null string reads
// as empty (or sorts first), and a copy to or from null returns null instead of crashing.
#include <cctype>
#include <cstring>

#include "win32.h"

namespace {

int sign_of(int difference) { return (difference > 0) - (difference < 0); }

int compare(LPCSTR first, LPCSTR second, bool ignore_case) {
  if (first == nullptr || second == nullptr) return first == second ? 0 : (first == nullptr ? -1 : 1);
  for (;; ++first, ++second) {
    int a = static_cast<unsigned char>(*first);
    int b = static_cast<unsigned char>(*second);
    if (ignore_case) {
      a = std::tolower(a);
      b = std::tolower(b);
    }
    if (a != b || a == 0) return sign_of(a - b);
  }
}

}  // namespace

int WINAPI lstrlenA(LPCSTR lpString) {
  return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) { return compare(lpString1, lpString2, false); }

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) { return compare(lpString1, lpString2, true); }

LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  std::memmove(lpString1, lpString2, std::strlen(lpString2) + 1);
  return lpString1;
}

LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
  if (lpString1 == nullptr || lpString2 == nullptr) return nullptr;
  std::memmove(lpString1 + std::strlen(lpString1), lpString2, std::strlen(lpString2) + 1);
  return lpString1;
}
