// The framework's text value: single-byte characters with a length, always followed
// by a terminating zero so the text can go straight to platform calls. Copies are
// deep. Every empty string points at one shared static buffer, so making, copying and
// destroying empty strings never allocates. Buffers have exactly the size needed when
// they were allocated; assignment reuses a buffer that is big enough and never
// shrinks it.
#pragma once

#include <win32.h>

// The shared empty buffer: one zero character, never freed.
extern char _afxChNil;

// Length of a zero-terminated text; a null pointer counts as an empty text.
int SafeStrlen(const char* text);

class CString {
 public:
  constexpr CString() : data(&_afxChNil), dataLength(0), allocLength(0) {}
  CString(const CString& src);
  CString(const char* text);
  ~CString();

  void Empty();

  const CString& operator=(const CString& src);
  const CString& operator=(const char* text);

  const CString& operator+=(const char* text);
  const CString& operator+=(const CString& s);

  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, const char* b);
  friend CString operator+(const char* a, const CString& b);

  // Callers read the text through a pointer to the zero-terminated characters.
  operator const char*() const { return data; }
  int GetLength() const { return dataLength; }
  BOOL IsEmpty() const { return dataLength == 0; }

 protected:
  void Init();
  // The old buffer is not freed here.
  void AllocBuffer(int n);
  void AllocCopy(CString& dest, int copyLen, int copyIndex, int extraLen) const;
  void AssignCopy(int n, const char* src);
  void ConcatCopy(int lenA, const char* srcA, int lenB, const char* srcB);
  void ConcatInPlace(int n, const char* src);

  // Points at _afxChNil or at an owned buffer of allocLength + 1 bytes.
  char* data;
  int dataLength;
  int allocLength;
};

extern const CString afxEmptyString;
