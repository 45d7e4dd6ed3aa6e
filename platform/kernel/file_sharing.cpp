#include "kernel/file_sharing.h"

#include <map>
#include <mutex>

namespace win32::kernel {
namespace {

struct Claim {
  FileIdentity file;
  DWORD access;
  DWORD share_mode;
};

struct ClaimRegistry {
  std::mutex mutex;
  unsigned long long next_id = 1;
  std::map<unsigned long long, Claim> claims;
};

ClaimRegistry& registry() {
  static auto* instance = new ClaimRegistry;
  return *instance;
}

bool reads(DWORD access) { return access & (GENERIC_READ | GENERIC_ALL); }
bool writes(DWORD access) { return access & (GENERIC_WRITE | GENERIC_ALL); }

// Each side must allow what the other side does.
bool compatible(const Claim& open, DWORD access, DWORD share_mode) {
  if (reads(access) && !(open.share_mode & FILE_SHARE_READ)) return false;
  if (writes(access) && !(open.share_mode & FILE_SHARE_WRITE)) return false;
  if (reads(open.access) && !(share_mode & FILE_SHARE_READ)) return false;
  if (writes(open.access) && !(share_mode & FILE_SHARE_WRITE)) return false;
  return true;
}

}  // namespace

ShareClaim::~ShareClaim() { release(); }

void ShareClaim::release() {
  if (!registered_) return;
  ClaimRegistry& r = registry();
  std::lock_guard lock(r.mutex);
  r.claims.erase(id_);
  registered_ = false;
}

bool ShareClaim::try_register(FileIdentity file, DWORD access, DWORD share_mode) {
  ClaimRegistry& r = registry();
  std::lock_guard lock(r.mutex);
  for (const auto& [id, claim] : r.claims)
    if (claim.file == file && !compatible(claim, access, share_mode)) return false;
  id_ = r.next_id++;
  r.claims.emplace(id_, Claim{file, access, share_mode});
  registered_ = true;
  return true;
}

bool file_may_be_deleted(FileIdentity file) {
  ClaimRegistry& r = registry();
  std::lock_guard lock(r.mutex);
  for (const auto& [id, claim] : r.claims)
    if (claim.file == file && !(claim.share_mode & FILE_SHARE_DELETE)) return false;
  return true;
}

}  // namespace win32::kernel
