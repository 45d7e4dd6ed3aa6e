// How compiled resources reach the platform. Real Win32 finds resources in the
// executable's image; here the resource compiler's generated source hands them over at
// static initialisation. Not part of win32.h: only generated code (and tests) use it.
#pragma once

#include <cstddef>

namespace win32 {

// One resource in its Win32 binary form. Types are numeric (RT_DIALOG, ...); a resource
// is named by an upper-case text or, when name is null, by its number.
struct ResourceRecord {
  unsigned short type;
  const char* name;
  unsigned short id;
  const unsigned char* data;  // lives for the whole run (static storage)
  std::size_t size;
};

// Adds the records to the executable module's resources. Returns true. Safe to call
// during static initialisation, in any order with the platform's own start-up.
bool register_resources(const ResourceRecord* records, std::size_t count);

}  // namespace win32
