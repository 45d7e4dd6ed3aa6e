// The framework's own exceptions. One process-wide context holds the exception in
// flight and the chain of open try points; raising pops the innermost try point and
// transfers control to its handler branch. The transfer is carried by a private C++
// exception caught only at that try point, so the frames in between are unwound
// properly, while the links, the ownership flag and the pop order stay exactly as the
// framework's code expects them.
//
// Call sites read:
//   TRY {
//     ...
//   }
//   CATCH(CMemoryException, e) {
//     ...
//   }
//   AND_CATCH(CException, e) {
//     ...
//   }
//   END_CATCH
#pragma once

#include "framework/object.h"

class CException : public CObject {
  DECLARE_RUNTIME_CLASS(CException)
 public:
  constexpr CException() = default;
  ~CException() override;
};

class CMemoryException : public CException {
  DECLARE_RUNTIME_CLASS(CMemoryException)
 public:
  constexpr CMemoryException() = default;
  ~CMemoryException() override;
};

class CNotSupportedException : public CException {
  DECLARE_RUNTIME_CLASS(CNotSupportedException)
 public:
  constexpr CNotSupportedException() = default;
  ~CNotSupportedException() override;
};

class CResourceException : public CException {
  DECLARE_RUNTIME_CLASS(CResourceException)
 public:
  constexpr CResourceException() = default;
  ~CResourceException() override;
};

// One per open try point, living in the frame that opened it. The try point itself is
// the C++ catch clause next to the link; the link only remembers the next outer one.
struct CExceptionLink {
  CExceptionLink* pLinkPrev;

  // Pushes this try point.
  explicit CExceptionLink(CExceptionLink*& linkTop);
  // Pops it when still on top; a link left chained below the top means the nesting
  // was broken, which is fatal.
  ~CExceptionLink();

  CExceptionLink(const CExceptionLink&) = delete;
  CExceptionLink& operator=(const CExceptionLink&) = delete;
};

struct CExceptionContext {
  CException* pCurrent = nullptr;
  BOOL autoDelete = FALSE;
  CExceptionLink* pLinkTop = nullptr;

  // A shared exception (the static instances) is never deleted by the context.
  [[noreturn]] void Throw(CException* exception, BOOL shared);
  [[noreturn]] void Throw(CException* exception);
  // Raises pCurrent again at the next outer try point, keeping its ownership.
  [[noreturn]] void ThrowLast();
  // Frees an owned exception and forgets the current one.
  void Cleanup();
};

extern CExceptionContext afxExceptionContext;

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();

// Termination: the handler starts as AfxAbort.
typedef void (*AFX_TERM_PROC)();
void AfxTerminate();
AFX_TERM_PROC AfxSetTerminate(AFX_TERM_PROC handler);
[[noreturn]] void AfxAbort();

// Allocation failure: installed at start-up, raises CMemoryException.
int AfxNewHandler(std::size_t size);
BOOL AfxInitialize();

// The carrier of a raise on its way to a try point. Only the TRY macros catch it.
class _AfxTryPointJump {
 public:
  explicit _AfxTryPointJump(const CExceptionLink* target) : target_(target) {}
  // REQUIRES: called inside the catch clause that caught this jump. A jump meant for
  // a try point further out (one opened on another chain) travels on to it.
  void PassOnUnlessFor(const CExceptionLink* link) const;

 private:
  const CExceptionLink* target_;
};

#define TRY                                                                                 \
  {                                                                                         \
    CExceptionLink _afxLink(afxExceptionContext.pLinkTop);                                  \
    try

#define CATCH(class_name, e)                                                                \
  catch (const _AfxTryPointJump& _afxJump) {                                                \
    _afxJump.PassOnUnlessFor(&_afxLink);                                                    \
    if (afxExceptionContext.pCurrent->IsKindOf(RUNTIME_CLASS(class_name))) {                \
      [[maybe_unused]] class_name* e = static_cast<class_name*>(afxExceptionContext.pCurrent);

#define AND_CATCH(class_name, e)                                                            \
  }                                                                                         \
  else if (afxExceptionContext.pCurrent->IsKindOf(RUNTIME_CLASS(class_name))) {             \
    [[maybe_unused]] class_name* e = static_cast<class_name*>(afxExceptionContext.pCurrent);

#define END_CATCH                                                                           \
  }                                                                                         \
  else {                                                                                    \
    afxExceptionContext.Throw(afxExceptionContext.pCurrent);                                \
  }                                                                                         \
  afxExceptionContext.Cleanup();                                                            \
  }                                                                                         \
  }

#define THROW(e) afxExceptionContext.Throw(e)
#define THROW_LAST() afxExceptionContext.ThrowLast()
