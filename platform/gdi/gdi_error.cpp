// Failure codes for the calling thread. Until the kernel's last-error slot exists the
// code is kept in a thread-local of our own; set_error is the single place to rewire.
#include "gdi/gdi_error.h"

namespace gdi {

namespace {
thread_local DWORD last_gdi_error = 0;
}

void set_error(DWORD code) { last_gdi_error = code; }

}  // namespace gdi
