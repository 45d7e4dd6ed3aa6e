// The application object and its run-time class.
#include "framework/winapp.h"

IMPLEMENT_RUNTIME_CLASS(CWinApp, CObject)

CWinApp::~CWinApp() = default;
