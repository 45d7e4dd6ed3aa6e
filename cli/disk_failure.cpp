#include "cli/disk_failure.h"

#include "engine/disknt.h"

namespace cli {

std::string LastDiskFailure() { return DiskTestFailure(); }

bool IsDirectIoRefusal(const std::string& failure) {
  // The system's own sentence for the refusal, as the failure quotes it.
  char sentence[256] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                ERROR_NOT_SUPPORTED, 0, sentence, sizeof sentence, nullptr);
  std::string expected(sentence, length);
  while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r' || expected.back() == ' '))
    expected.pop_back();
  return !expected.empty() && failure == "Create file: " + expected;
}

}  // namespace cli
