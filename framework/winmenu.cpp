// Menu wrapper and its run-time class.
#include "framework/winmenu.h"

IMPLEMENT_RUNTIME_CLASS(CMenu, CObject)

CMenu::~CMenu() = default;
