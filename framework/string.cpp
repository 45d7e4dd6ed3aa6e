// CString: exact-size buffers, a shared empty buffer, deep copies.
#include "framework/cstring.h"

#include "framework/except.h"

#include <climits>
#include <cstring>

char _afxChNil = '\0';

constinit const CString afxEmptyString;

namespace {

// A text or a sum of lengths that does not fit a string's 32-bit length cannot be
// held at all; it fails like any allocation the heap refuses.
int CheckedLength(std::size_t length) {
  if (length >= static_cast<std::size_t>(INT_MAX)) AfxThrowMemoryException();
  return static_cast<int>(length);
}

int CheckedSum(int a, int b) {
  return CheckedLength(static_cast<std::size_t>(a) + static_cast<std::size_t>(b));
}

}  // namespace

int SafeStrlen(const char* text) {
  return text == nullptr ? 0 : CheckedLength(std::strlen(text));
}

CString::CString(const CString& src) : CString() {
  src.AllocCopy(*this, src.dataLength, 0, 0);
}

CString::CString(const char* text) : CString() {
  int n = SafeStrlen(text);
  if (n != 0) {
    AllocBuffer(n);
    std::memcpy(data, text, static_cast<std::size_t>(n));
  }
}

CString::~CString() {
  if (data != &_afxChNil) delete[] data;
}

void CString::Empty() {
  if (data != &_afxChNil) delete[] data;
  Init();
}

const CString& CString::operator=(const CString& src) {
  AssignCopy(src.dataLength, src.data);
  return *this;
}

const CString& CString::operator=(const char* text) {
  AssignCopy(SafeStrlen(text), text);
  return *this;
}

const CString& CString::operator+=(const char* text) {
  ConcatInPlace(SafeStrlen(text), text);
  return *this;
}

const CString& CString::operator+=(const CString& s) {
  ConcatInPlace(s.dataLength, s.data);
  return *this;
}

CString operator+(const CString& a, const CString& b) {
  CString result;
  result.ConcatCopy(a.dataLength, a.data, b.dataLength, b.data);
  return result;
}

CString operator+(const CString& a, const char* b) {
  CString result;
  result.ConcatCopy(a.dataLength, a.data, SafeStrlen(b), b);
  return result;
}

CString operator+(const char* a, const CString& b) {
  CString result;
  result.ConcatCopy(SafeStrlen(a), a, b.dataLength, b.data);
  return result;
}

void CString::Init() {
  allocLength = 0;
  dataLength = 0;
  data = &_afxChNil;
}

void CString::AllocBuffer(int n) {
  if (n == 0) {
    Init();
    return;
  }
  // Allocate before touching any field, so a failed allocation leaves them as they were.
  char* buffer = new char[static_cast<std::size_t>(n) + 1];
  buffer[n] = '\0';
  data = buffer;
  dataLength = n;
  allocLength = n;
}

void CString::AllocCopy(CString& dest, int copyLen, int copyIndex, int extraLen) const {
  int n = CheckedSum(copyLen, extraLen);
  if (n == 0) {
    dest.Init();
    return;
  }
  dest.AllocBuffer(n);
  if (copyLen != 0) {
    std::memcpy(dest.data, data + copyIndex, static_cast<std::size_t>(copyLen));
  }
}

void CString::AssignCopy(int n, const char* src) {
  if (n > allocLength) {
    Empty();
    AllocBuffer(n);
  }
  // The source may lie inside this string's own buffer (s = s, or a tail of s).
  if (n != 0) std::memmove(data, src, static_cast<std::size_t>(n));
  dataLength = n;
  // The shared empty buffer already holds its zero; it is never written, so strings
  // on different threads can share it without a race.
  if (data != &_afxChNil) data[n] = '\0';
}

void CString::ConcatCopy(int lenA, const char* srcA, int lenB, const char* srcB) {
  AllocBuffer(CheckedSum(lenA, lenB));
  if (lenA != 0) std::memcpy(data, srcA, static_cast<std::size_t>(lenA));
  if (lenB != 0) std::memcpy(data + lenA, srcB, static_cast<std::size_t>(lenB));
}

void CString::ConcatInPlace(int n, const char* src) {
  if (CheckedSum(dataLength, n) > allocLength) {
    // The old text is read before its buffer goes, so s += s is safe.
    char* old = data;
    ConcatCopy(dataLength, old, n, src);
    if (old != &_afxChNil) delete[] old;
  } else {
    if (n != 0) std::memmove(data + dataLength, src, static_cast<std::size_t>(n));
    dataLength += n;
  }
  if (data != &_afxChNil) data[dataLength] = '\0';
}
