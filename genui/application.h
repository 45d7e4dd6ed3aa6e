// The program's application class and its one object. The object itself is defined by
// the application (it is the program's), the class here with the generated code that
// reaches the application state through it.
#pragma once

#include "genui/kadril_app.h"

class Ckv_Application : public CKadrilApp {
 public:
  explicit Ckv_Application(const char* pszAppName = nullptr);
  ~Ckv_Application() override;

  BOOL InitApplication() override;
  BOOL InitInstance() override;
  int ExitInstance() override;
};

extern Ckv_Application TheApp;
