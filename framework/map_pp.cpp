// The pointer map and its run-time class.
#include "framework/map_pp.h"

IMPLEMENT_RUNTIME_CLASS(CMapPtrToPtr, CObject)

CMapPtrToPtr::~CMapPtrToPtr() = default;
