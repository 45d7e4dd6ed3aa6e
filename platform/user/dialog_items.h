// Parsing of GetDlgItemInt, kept apart so it can be checked on its own.
#pragma once

#include <win32.h>

namespace win32::user {

struct ParsedInt {
  UINT value = 0;
  bool translated = false;
};

// Windows' rules: leading blanks are skipped, a '-' is accepted only when signed, the
// conversion stops at the first character that is not a digit (trailing blanks are
// fine; anything else leaves the partial value but reports no translation), and a value
// out of range or no digits at all give 0 and no translation.
ParsedInt parse_dialog_int(const char* text, bool is_signed);

}  // namespace win32::user
