// Compares every value the stand-in's headers define (constants, flags, message numbers,
// styles, error codes, resource types, handle markers) with the real <windows.h>: the
// generated stand_in_macros.inc holds our definitions under an OURS_ prefix. A value that
// differs fails; a name the real header lacks is listed, since code above the platform
// may not use it on Windows.
#include <win32.h>

#include <cstdio>

#include "stand_in_macros.inc"

namespace {

int checked = 0;
int differing = 0;
int missing = 0;

// Values are compared as the 32 bits Win32 keeps in a message or style word and as
// pointer-sized integers; a difference in sign extension alone is reported, not failed.
void Compare(const char* name, unsigned long long real, unsigned long long ours) {
  ++checked;
  if (real == ours) return;
  if ((real & 0xFFFFFFFFull) == (ours & 0xFFFFFFFFull)) {
    std::printf("note: %s has the same 32 bits but another width or sign: real %#llx, ours %#llx\n", name, real,
                ours);
    return;
  }
  std::printf("FAILED: %s is %#llx in <windows.h> but %#llx in our win32.h\n", name, real, ours);
  ++differing;
}

[[maybe_unused]] void Missing(const char* name) {
  std::printf("not in <windows.h>: %s\n", name);
  ++missing;
}

// Our function-like helpers against the real ones, on values that exercise their casts.
void CompareHelpers() {
  const unsigned long long big = 0x12345678ABCDEF01ull;
  Compare("MAKEWORD", MAKEWORD(0x1FF, 0x2FE), OURS_MAKEWORD(0x1FF, 0x2FE));
  Compare("MAKELONG", static_cast<unsigned long long>(MAKELONG(0x1FFFF, 0xFFFF)),
          static_cast<unsigned long long>(OURS_MAKELONG(0x1FFFF, 0xFFFF)));
  Compare("LOWORD", LOWORD(big), OURS_LOWORD(big));
  Compare("HIWORD", HIWORD(big), OURS_HIWORD(big));
  Compare("LOBYTE", LOBYTE(big), OURS_LOBYTE(big));
  Compare("HIBYTE", HIBYTE(big), OURS_HIBYTE(big));
  Compare("MAKEWPARAM", MAKEWPARAM(0xFFFF, 0x8000), OURS_MAKEWPARAM(0xFFFF, 0x8000));
  Compare("MAKELPARAM", static_cast<unsigned long long>(MAKELPARAM(0xFFFF, 0x8000)),
          static_cast<unsigned long long>(OURS_MAKELPARAM(0xFFFF, 0x8000)));
  Compare("RGB", RGB(0x101, 2, 0xFF), OURS_RGB(0x101, 2, 0xFF));
  Compare("GetBValue", GetBValue(0x00ABCDEF), OURS_GetBValue(0x00ABCDEF));
  Compare("MAKEINTRESOURCEA", reinterpret_cast<ULONG_PTR>(MAKEINTRESOURCEA(0x18005)),
          reinterpret_cast<ULONG_PTR>(OURS_MAKEINTRESOURCEA(0x18005)));
  Compare("IS_INTRESOURCE", IS_INTRESOURCE(0x10000), OURS_IS_INTRESOURCE(0x10000));
}

}  // namespace

#define CHECK(name) \
  Compare(#name, (unsigned long long)(name), (unsigned long long)(OURS_##name));
#define MISSING(name) Missing(#name);

int main() {
#define STAND_IN_CHECKS
#include "stand_in_macros.inc"
  CompareHelpers();
  std::printf("%d values compared, %d differ, %d not in <windows.h>\n", checked, differing, missing);
  return differing == 0 ? 0 : 1;
}
