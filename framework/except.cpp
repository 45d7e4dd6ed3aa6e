// The exception classes, their static instances, and the process-wide context that
// raises exceptions to the innermost try point.
#include "framework/except.h"

#include <cstdlib>

IMPLEMENT_RUNTIME_CLASS(CException, CObject)
IMPLEMENT_RUNTIME_CLASS(CMemoryException, CException)
IMPLEMENT_RUNTIME_CLASS(CNotSupportedException, CException)
IMPLEMENT_RUNTIME_CLASS(CResourceException, CException)

CException::~CException() = default;
CMemoryException::~CMemoryException() = default;
CNotSupportedException::~CNotSupportedException() = default;
CResourceException::~CResourceException() = default;

// Constant-initialised, so they exist before any other start-up code can raise them,
// and raising the memory exception never needs memory.
static constinit CMemoryException _afxMemoryException;
static constinit CNotSupportedException _afxNotSupportedException;
static constinit CResourceException _afxResourceException;

constinit CExceptionContext afxExceptionContext;

CExceptionLink::CExceptionLink(CExceptionLink*& linkTop) : pLinkPrev(linkTop) {
  linkTop = this;
}

CExceptionLink::~CExceptionLink() {
  if (afxExceptionContext.pLinkTop == this) {
    afxExceptionContext.pLinkTop = pLinkPrev;
  } else if (pLinkPrev != nullptr) {
    AfxTerminate();
  }
}

void _AfxTryPointJump::PassOnUnlessFor(const CExceptionLink* link) const {
  if (target_ != link) throw;
}

void CExceptionContext::Throw(CException* exception, BOOL shared) {
  if (exception != pCurrent) {
    if (pCurrent != nullptr && autoDelete) delete pCurrent;
    pCurrent = exception;
    autoDelete = !shared;
  }
  // Handlers test the exception's class; a null one (THROW_LAST outside any handler)
  // has nothing to deliver, like a raise without a try point.
  if (pLinkTop == nullptr || pCurrent == nullptr) {
    AfxTerminate();
    // A terminate handler that returns leaves nowhere to continue.
    std::abort();
  }
  CExceptionLink* link = pLinkTop;
  pLinkTop = link->pLinkPrev;
  link->pLinkPrev = nullptr;
  throw _AfxTryPointJump(link);
}

void CExceptionContext::Throw(CException* exception) { Throw(exception, FALSE); }

void CExceptionContext::ThrowLast() { Throw(pCurrent, FALSE); }

void CExceptionContext::Cleanup() {
  if (autoDelete && pCurrent != nullptr) delete pCurrent;
  pCurrent = nullptr;
}

void AfxThrowMemoryException() { afxExceptionContext.Throw(&_afxMemoryException, TRUE); }

void AfxThrowNotSupportedException() {
  afxExceptionContext.Throw(&_afxNotSupportedException, TRUE);
}

void AfxThrowResourceException() { afxExceptionContext.Throw(&_afxResourceException, TRUE); }
