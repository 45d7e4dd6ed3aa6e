// The size of the (virtual) screen: 1024 x 768 unless TORVEX_SCREEN=WxH says otherwise.
#pragma once

#include <win32.h>

namespace win32::user {

SIZE screen_size();

}  // namespace win32::user
