// Failure codes go to the calling thread's last-error slot.
#include "gdi/gdi_error.h"

namespace gdi {

void set_error(DWORD code) { SetLastError(code); }

}  // namespace gdi
