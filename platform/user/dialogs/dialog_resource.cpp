// Dialog templates from the module's resources (RT_DIALOG).
#include "dialog_create.h"

namespace win32::user {

std::optional<DialogTemplate> load_dialog_template(HINSTANCE instance, LPCSTR name) {
  HMODULE module = reinterpret_cast<HMODULE>(instance);
  HRSRC info = FindResourceA(module, name, RT_DIALOG);
  if (!info) return std::nullopt;
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  DWORD size = SizeofResource(module, info);
  if (!bytes || size == 0) return std::nullopt;
  auto parsed = parse_dialog_template(bytes, size);
  if (!parsed) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return parsed;
}

}  // namespace win32::user
