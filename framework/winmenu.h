// Menu wrapper: one object per menu handle.
#pragma once

#include "framework/object.h"

class CMenu : public CObject {
  DECLARE_RUNTIME_CLASS(CMenu)
 public:
  ~CMenu() override;

  HMENU hMenu = nullptr;
};
