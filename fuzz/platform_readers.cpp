// The platform's readers of binary resources, each given exactly the input's bytes so
// that a read outside them is caught by AddressSanitizer.
#include <vector>

#include "fuzz_entries.h"
#include "gdi/dib.h"
#include "gdi/icon.h"
#include "user/dialogs/dialog_template.h"
#include "user/menus/menu_object.h"
#include "win32.h"

namespace fuzz {

void dialog_template(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;  // size 0 would mean "unknown": not a bounded read to test
  auto parsed = win32::user::parse_dialog_template(data, size);
  if (!parsed) return;
  for (const auto& item : parsed->items)
    if (item.creation_data) {
      // The creation data must lie inside the template, its size WORD included.
      const auto* at = static_cast<const std::uint8_t*>(item.creation_data);
      if (at < data || at + 2 > data + size) __builtin_trap();
    }
}

void menu_template(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  HMENU menu = win32::user::load_menu_template(data, size);
  if (menu) DestroyMenu(menu);
}

void resource_image(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  // A copy of exactly the reader's bytes, so the selector byte is not readable from it.
  std::vector<BYTE> bytes(data + 1, data + size);
  const BYTE* bits = bytes.empty() ? nullptr : bytes.data();
  auto length = static_cast<DWORD>(bytes.size());
  switch (data[0] % 6) {
    case 0:
    case 1:
      gdi::parse_icon_image(bits, length, data[0] % 6 == 0);
      break;
    case 2:
      if (HBITMAP bitmap = gdi::bitmap_from_dib(bits, length)) DeleteObject(bitmap);
      break;
    case 3:
    case 4:
      gdi::pick_group_entry(bits, length, data[0] % 6 == 3);
      break;
    default:
      if (HICON icon = CreateIconFromResource(bytes.data(), length, TRUE, 0x00030000)) DestroyIcon(icon);
      break;
  }
}

}  // namespace fuzz
