// The shape of most GDI entry points: take the GDI lock, find the DC, run the body or
// return the Win32 failure value for a bad handle.
#pragma once

#include <win32.h>

#include <memory>

#include "gdi/device_context.h"
#include "gdi/objects.h"

namespace gdi {

template <typename R, typename Fn>
R with_dc(HDC hdc, R fail, Fn&& fn) {
  Lock lock;
  std::shared_ptr<DeviceContext> dc = find_dc(hdc);
  if (!dc) return fail;
  return fn(*dc);
}

}  // namespace gdi
