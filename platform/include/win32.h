// The one header every layer above the platform includes. On Windows it would be
// <windows.h>; here it gathers our Win32 stand-in, area by area. Code above the
// platform must use nothing from it that real Win32 does not have.
#pragma once

#include "win32/types.h"
#include "win32/kernel.h"
#include "win32/crt.h"
#include "win32/resource.h"
#include "win32/user.h"
#include "win32/gdi.h"
#include "win32/dialog.h"
#include "win32/controls.h"
#include "win32/menu.h"
