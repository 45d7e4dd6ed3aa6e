// Hash map from untyped pointer keys to untyped pointer values.
#pragma once

#include "framework/object.h"

class CMapPtrToPtr : public CObject {
  DECLARE_RUNTIME_CLASS(CMapPtrToPtr)
 public:
  ~CMapPtrToPtr() override;
};
