// Registered window messages: a name (compared without regard to case) gets one number
// from 0xC000 up for the life of the process, so cooperating windows agree on a
// message without fixing its number in advance.
#include <win32.h>

#include <strings.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr UINT kFirstRegisteredMessage = 0xC000;
constexpr UINT kLastRegisteredMessage = 0xFFFF;

struct RegisteredMessages {
  std::mutex mutex;
  std::vector<std::string> names;  // names[i] has number kFirstRegisteredMessage + i
};

RegisteredMessages& registry() {
  static RegisteredMessages instance;
  return instance;
}

}  // namespace

UINT WINAPI RegisterWindowMessageA(LPCSTR lpString) {
  if (lpString == nullptr || lpString[0] == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  RegisteredMessages& r = registry();
  std::lock_guard lock(r.mutex);
  for (std::size_t i = 0; i < r.names.size(); ++i)
    if (strcasecmp(r.names[i].c_str(), lpString) == 0) return kFirstRegisteredMessage + static_cast<UINT>(i);
  if (r.names.size() > kLastRegisteredMessage - kFirstRegisteredMessage) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  r.names.emplace_back(lpString);
  return kFirstRegisteredMessage + static_cast<UINT>(r.names.size() - 1);
}
