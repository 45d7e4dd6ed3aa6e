// The executable's resources, as the generated resource source registered them. A
// resource handle (HRSRC) is an entry of the resource handle table; the loaded data
// handle (HGLOBAL) is the data's address, as in Win32, checked against the directory.
#pragma once

#include <string>

#include "win32.h"
#include "win32_resources.h"

namespace win32::kernel {

// A name or type argument: a number (MAKEINTRESOURCE or "#123") or an upper-cased text.
struct ResourceKey {
  bool numbered = false;
  WORD id = 0;
  std::string name;
};

// False for a null or empty text, or a "#" text that is no number.
bool make_resource_key(LPCSTR name_or_id, ResourceKey& key);

// The record of a resource by type number and name; null with the Win32 error set.
const ResourceRecord* find_resource_record(WORD type, const ResourceKey& name);

// How many bytes of a registered resource lie from `address` to the resource's end, or
// 0 when the address is inside no resource. The *Indirect calls get a bare pointer; when
// it points into a resource (a template locked and passed on), its readers can still
// stop at the resource's end.
std::size_t resource_bytes_from(const void* address);

}  // namespace win32::kernel
