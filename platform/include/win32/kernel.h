// Win32 kernel calls of the stand-in platform.
#pragma once

#include "types.h"
