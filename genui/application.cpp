// The application class only forwards to its generated base.
#include "genui/application.h"

Ckv_Application::Ckv_Application(const char* pszAppName) : CKadrilApp(pszAppName) {}
Ckv_Application::~Ckv_Application() = default;

BOOL Ckv_Application::InitApplication() { return CKadrilApp::InitApplication(); }
BOOL Ckv_Application::InitInstance() { return CKadrilApp::InitInstance(); }
int Ckv_Application::ExitInstance() { return CKadrilApp::ExitInstance(); }
