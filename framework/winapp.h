// The application object.
#pragma once

#include "framework/object.h"

class CWinApp : public CObject {
  DECLARE_RUNTIME_CLASS(CWinApp)
 public:
  ~CWinApp() override;
};
