// FindResourceA, LoadResource, LockResource, SizeofResource and FreeResource over the
// registered resource directory.
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <map>
#include <mutex>
#include <strings.h>
#include <vector>

#include "common/handle_table.h"
#include "kernel/modules.h"
#include "kernel/resource_directory.h"

namespace win32::kernel {
namespace {

struct ResourceDirectory {
  std::mutex mutex;
  std::vector<const ResourceRecord*> records;
  std::map<const void*, const ResourceRecord*> by_data;
  HandleTable<const ResourceRecord> handles{HandleFamily::Resource};
  std::map<const ResourceRecord*, std::uintptr_t> handle_of;
};

// Created on first use: the generated source may register before the platform's own
// statics exist. Never destroyed, so late users at exit still find it.
ResourceDirectory& directory() {
  static auto* instance = new ResourceDirectory;
  return *instance;
}

bool name_matches(const ResourceRecord& record, const ResourceKey& key) {
  if (key.numbered) return record.name == nullptr && record.id == key.id;
  return record.name != nullptr && strcasecmp(record.name, key.name.c_str()) == 0;
}

const ResourceRecord* record_of(HRSRC handle) {
  auto record = directory().handles.find(reinterpret_cast<std::uintptr_t>(handle));
  return record ? record.get() : nullptr;
}

// The handle for a record, made once per record so that FindResourceA keeps returning
// the same value for the same resource.
HRSRC handle_for(const ResourceRecord* record) {
  ResourceDirectory& d = directory();
  std::lock_guard lock(d.mutex);
  auto known = d.handle_of.find(record);
  if (known != d.handle_of.end()) return reinterpret_cast<HRSRC>(known->second);
  std::uintptr_t value = d.handles.insert(std::shared_ptr<const ResourceRecord>(record, [](const ResourceRecord*) {}));
  d.handle_of.emplace(record, value);
  return reinterpret_cast<HRSRC>(value);
}

}  // namespace

bool make_resource_key(LPCSTR name_or_id, ResourceKey& key) {
  if (name_or_id == nullptr) return false;
  if (IS_INTRESOURCE(name_or_id)) {
    key.numbered = true;
    key.id = LOWORD(name_or_id);
    return true;
  }
  if (*name_or_id == '\0') return false;
  if (name_or_id[0] == '#') {
    char* end = nullptr;
    unsigned long value = std::strtoul(name_or_id + 1, &end, 10);
    if (end == name_or_id + 1 || *end != '\0' || value > 0xFFFF) return false;
    key.numbered = true;
    key.id = static_cast<WORD>(value);
    return true;
  }
  key.name = name_or_id;
  for (char& c : key.name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return true;
}

const ResourceRecord* find_resource_record(WORD type, const ResourceKey& name) {
  ResourceDirectory& d = directory();
  std::lock_guard lock(d.mutex);
  bool type_seen = false;
  for (const ResourceRecord* record : d.records) {
    if (record->type != type) continue;
    type_seen = true;
    if (name_matches(*record, name)) return record;
  }
  SetLastError(type_seen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

std::size_t resource_bytes_from(const void* address) {
  if (address == nullptr) return 0;
  ResourceDirectory& d = directory();
  std::lock_guard lock(d.mutex);
  // The record starting at or before the address, if any; std::less orders any pointers.
  auto after = d.by_data.upper_bound(address);
  if (after == d.by_data.begin()) return 0;
  const ResourceRecord* record = std::prev(after)->second;
  auto start = reinterpret_cast<std::uintptr_t>(record->data);
  auto at = reinterpret_cast<std::uintptr_t>(address);
  return at - start < record->size ? record->size - (at - start) : 0;
}

}  // namespace win32::kernel

bool win32::register_resources(const ResourceRecord* records, std::size_t count) {
  kernel::ResourceDirectory& d = kernel::directory();
  std::lock_guard lock(d.mutex);
  for (std::size_t i = 0; i < count; ++i) {
    d.records.push_back(&records[i]);
    d.by_data.emplace(records[i].data, &records[i]);
  }
  return true;
}

using namespace win32::kernel;

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  if (!is_executable_module(hModule)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  ResourceKey name, type;
  if (!make_resource_key(lpName, name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  // Every resource type here is numbered; a type given by a text finds nothing.
  if (!make_resource_key(lpType, type) || !type.numbered) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  const win32::ResourceRecord* record = find_resource_record(type.id, name);
  return record ? handle_for(record) : nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
  const win32::ResourceRecord* record = record_of(hResInfo);
  if (!record || !is_executable_module(hModule)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<unsigned char*>(record->data);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
  ResourceDirectory& d = directory();
  std::lock_guard lock(d.mutex);
  if (d.by_data.count(hResData) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return hResData;
}

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  const win32::ResourceRecord* record = record_of(hResInfo);
  if (!record || !is_executable_module(hModule)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return static_cast<DWORD>(record->size);
}

BOOL WINAPI FreeResource(HGLOBAL hResData) { return FALSE; }
