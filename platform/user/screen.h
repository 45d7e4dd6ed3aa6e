// The size of the screen: TORVEX_SCREEN=WxH when set, else the desktop's size (in platform
// pixels) when a desktop backend runs, else 1024 x 768.
#pragma once

#include <win32.h>

namespace win32::user {

SIZE screen_size();

}  // namespace win32::user
