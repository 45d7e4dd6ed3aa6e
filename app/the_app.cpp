// The program's one application object, constructed before WinMain runs.
#include "genui/application.h"

Ckv_Application TheApp(nullptr);
