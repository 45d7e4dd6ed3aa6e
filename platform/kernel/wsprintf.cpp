// wsprintfA / wvsprintfA: Win32's own small formatter. Integer conversions take 32-bit
// arguments whatever the length prefix ('l' is 32 bits on Win32, 64 on this host), so each
// conversion is read here with Win32's argument sizes and then printed one at a time.
// The output stops at 1024 characters including the terminator.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "win32.h"

namespace {

constexpr std::size_t kOutputLimit = 1024;

class Output {
 public:
  explicit Output(char* buffer) : buffer_(buffer) {}
  void put(const char* text, std::size_t length) {
    std::size_t room = kOutputLimit - 1 - length_;
    if (length > room) length = room;
    std::memcpy(buffer_ + length_, text, length);
    length_ += length;
  }
  int finish() {
    buffer_[length_] = '\0';
    return static_cast<int>(length_);
  }

 private:
  char* buffer_;
  std::size_t length_ = 0;
};

struct Spec {
  std::string flags;          // any of "-#0+ "
  std::string width;          // digits
  std::string precision;      // ".digits" or empty
  enum { Int, Short, Int64 } size = Int;
  char conversion = 0;
};

// Parses the part after '%'; returns the position after the conversion character.
const char* parse_spec(const char* p, Spec& spec) {
  while (*p && std::strchr("-#0+ ", *p)) spec.flags += *p++;
  while (*p >= '0' && *p <= '9') spec.width += *p++;
  if (*p == '.') {
    spec.precision += *p++;
    while (*p >= '0' && *p <= '9') spec.precision += *p++;
  }
  if (*p == 'l' || *p == 'L') {
    ++p;
  } else if (*p == 'h') {
    spec.size = Spec::Short;
    ++p;
  } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
    spec.size = Spec::Int64;
    p += 3;
  }
  spec.conversion = *p;
  return *p ? p + 1 : p;
}

void format_one(Output& out, const Spec& spec, va_list& args) {
  char piece[kOutputLimit];
  std::string format = "%" + spec.flags + spec.width + spec.precision;
  int length = 0;
  switch (spec.conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X': {
      format += "ll";
      format += spec.conversion;
      if (spec.conversion == 'd' || spec.conversion == 'i') {
        long long value = spec.size == Spec::Int64   ? va_arg(args, long long)
                          : spec.size == Spec::Short ? static_cast<short>(va_arg(args, int))
                                                     : va_arg(args, int);
        length = std::snprintf(piece, sizeof piece, format.c_str(), value);
      } else {
        unsigned long long value = spec.size == Spec::Int64   ? va_arg(args, unsigned long long)
                                   : spec.size == Spec::Short ? static_cast<unsigned short>(va_arg(args, unsigned int))
                                                              : va_arg(args, unsigned int);
        length = std::snprintf(piece, sizeof piece, format.c_str(), value);
      }
      break;
    }
    case 'c':
    case 'C': {
      format += 'c';
      length = std::snprintf(piece, sizeof piece, format.c_str(), static_cast<char>(va_arg(args, int)));
      break;
    }
    case 's':
    case 'S': {
      const char* text = va_arg(args, const char*);
      format += 's';
      length = std::snprintf(piece, sizeof piece, format.c_str(), text ? text : "(null)");
      break;
    }
    default:
      // An unknown conversion prints itself, as Win32 does ("%%" gives "%").
      if (spec.conversion) out.put(&spec.conversion, 1);
      return;
  }
  if (length > 0) out.put(piece, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof piece - 1));
}

}  // namespace

int WINAPI wvsprintfA(LPSTR lpOut, LPCSTR lpFmt, va_list arglist) {
  if (lpOut == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Output out(lpOut);
  if (lpFmt == nullptr) return out.finish();
  va_list args;
  va_copy(args, arglist);
  for (const char* p = lpFmt; *p;) {
    if (*p != '%') {
      const char* run_end = std::strchr(p, '%');
      std::size_t run = run_end ? static_cast<std::size_t>(run_end - p) : std::strlen(p);
      out.put(p, run);
      p += run;
      continue;
    }
    Spec spec;
    p = parse_spec(p + 1, spec);
    format_one(out, spec, args);
  }
  va_end(args);
  return out.finish();
}

int wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...) {
  va_list args;
  va_start(args, lpFmt);
  int length = wvsprintfA(lpOut, lpFmt, args);
  va_end(args);
  return length;
}
