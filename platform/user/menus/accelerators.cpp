// Accelerator tables: from RT_ACCELERATOR resources (8-byte entries, the last flagged
// 0x80) or built in memory, and TranslateAcceleratorA turning a matching key into the
// table's WM_COMMAND.
#include <cstring>
#include <memory>
#include <vector>

#include "common/handle_table.h"
#include "user/last_error.h"

namespace win32::user {
namespace {

constexpr BYTE kLastEntry = 0x80;
constexpr size_t kResourceEntrySize = 8;
constexpr size_t kMaxEntries = 4096;

struct AcceleratorTable {
  std::vector<ACCEL> entries;
};

HandleTable<AcceleratorTable>& tables() {
  static auto* t = new HandleTable<AcceleratorTable>(HandleFamily::Accelerator);
  return *t;
}

HACCEL make_table(std::vector<ACCEL> entries) {
  auto table = std::make_shared<AcceleratorTable>();
  table->entries = std::move(entries);
  return reinterpret_cast<HACCEL>(tables().insert(std::move(table)));
}

bool modifiers_match(BYTE flags, bool shift, bool control, bool alt) {
  return ((flags & FSHIFT) != 0) == shift && ((flags & FCONTROL) != 0) == control && ((flags & FALT) != 0) == alt;
}

bool matches(const ACCEL& a, const MSG& msg) {
  bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  bool alt = (msg.lParam & (1 << 29)) != 0;
  if (a.fVirt & FVIRTKEY) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    return a.key == (msg.wParam & 0xFFFF) && modifiers_match(a.fVirt, shift, control, alt);
  }
  if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
  return a.key == (msg.wParam & 0xFFFF) && ((a.fVirt & FALT) != 0) == alt;
}

// A command whose menu item is grayed or disabled is not sent.
bool command_enabled(HWND hwnd, WORD id) {
  HMENU menu = GetMenu(hwnd);
  if (!menu) return true;
  UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
  return state == static_cast<UINT>(-1) || !(state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace
}  // namespace win32::user

using namespace win32::user;

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) {
  HMODULE module = reinterpret_cast<HMODULE>(instance);
  HRSRC info = FindResourceA(module, name, RT_ACCELERATOR);
  if (!info) return nullptr;
  HGLOBAL data = LoadResource(module, info);
  const auto* bytes = static_cast<const unsigned char*>(data ? LockResource(data) : nullptr);
  size_t size = SizeofResource(module, info);
  if (!bytes) return nullptr;
  std::vector<ACCEL> entries;
  for (size_t at = 0; at + kResourceEntrySize <= size && entries.size() < kMaxEntries; at += kResourceEntrySize) {
    WORD flags, key, cmd;
    std::memcpy(&flags, bytes + at, 2);
    std::memcpy(&key, bytes + at + 2, 2);
    std::memcpy(&cmd, bytes + at + 4, 2);
    entries.push_back(ACCEL{static_cast<BYTE>(flags & 0x7F), key, cmd});
    if (flags & kLastEntry) break;
  }
  if (entries.empty()) return fail(ERROR_RESOURCE_DATA_NOT_FOUND, HACCEL{nullptr});
  return make_table(std::move(entries));
}

HACCEL WINAPI CreateAcceleratorTableA(LPACCEL entries, int count) {
  if (!entries || count <= 0 || static_cast<size_t>(count) > kMaxEntries) return fail(ERROR_INVALID_PARAMETER, HACCEL{nullptr});
  return make_table(std::vector<ACCEL>(entries, entries + count));
}

BOOL WINAPI DestroyAcceleratorTable(HACCEL table) {
  return tables().erase(reinterpret_cast<std::uintptr_t>(table)) ? TRUE : FALSE;
}

int WINAPI TranslateAcceleratorA(HWND hwnd, HACCEL handle, LPMSG msg) {
  if (!msg || !IsWindow(hwnd)) return 0;
  auto table = tables().find(reinterpret_cast<std::uintptr_t>(handle));
  if (!table) return fail(ERROR_INVALID_PARAMETER, 0);
  for (const ACCEL& a : table->entries) {
    if (!matches(a, *msg)) continue;
    if (command_enabled(hwnd, a.cmd)) SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return 1;
  }
  return 0;
}
