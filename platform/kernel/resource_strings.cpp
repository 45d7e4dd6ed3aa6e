// LoadStringA: strings live in RT_STRING blocks of 16 (block id/16 + 1), each entry a
// WORD length and that many UTF-16 units without a terminator.
#include <algorithm>
#include <cstring>

#include "kernel/modules.h"
#include "kernel/resource_directory.h"

namespace {

constexpr UINT kStringsPerBlock = 16;
constexpr WORD kStringType = 6;

// The UTF-16 units of string id, or false (with the error set) when the block or the
// string is missing, the string is empty, or the block is damaged.
bool find_string(UINT id, const unsigned char*& units, std::size_t& length) {
  win32::kernel::ResourceKey block;
  block.numbered = true;
  block.id = static_cast<WORD>(id / kStringsPerBlock + 1);
  const win32::ResourceRecord* record = win32::kernel::find_resource_record(kStringType, block);
  if (!record) return false;
  std::size_t at = 0;
  for (UINT slot = 0; slot < kStringsPerBlock; ++slot) {
    if (at + 2 > record->size) break;
    std::size_t count = record->data[at] | (record->data[at + 1] << 8);
    at += 2;
    if (count * 2 > record->size - at) break;
    if (slot == id % kStringsPerBlock) {
      units = record->data + at;
      length = count;
      if (count == 0) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return count > 0;
    }
    at += count * 2;
  }
  SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return false;
}

}  // namespace

int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (lpBuffer == nullptr || cchBufferMax <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  lpBuffer[0] = '\0';
  if (!win32::kernel::is_executable_module(hInstance)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  const unsigned char* units = nullptr;
  std::size_t length = 0;
  // The high word of the id is not part of it.
  if (!find_string(uID & 0xFFFF, units, length)) return 0;
  std::size_t copied = std::min(length, static_cast<std::size_t>(cchBufferMax - 1));
  for (std::size_t i = 0; i < copied; ++i) {
    unsigned unit = units[2 * i] | (units[2 * i + 1] << 8);
    // The ANSI code page here is Latin-1: anything beyond it has no single byte.
    lpBuffer[i] = static_cast<char>(unit <= 0xFF ? unit : '?');
  }
  lpBuffer[copied] = '\0';
  return static_cast<int>(copied);
}
