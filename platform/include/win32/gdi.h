// Win32 gdi calls of the stand-in platform.
#pragma once

#include "types.h"
