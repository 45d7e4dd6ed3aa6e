// Win32 user calls of the stand-in platform.
#pragma once

#include "types.h"
