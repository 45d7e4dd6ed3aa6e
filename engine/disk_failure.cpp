#include "engine/disk_failure.h"

#include <cstdio>

namespace {

// Only the GUI thread runs disk tests, one at a time.
std::string failureText;

}  // namespace

void ClearDiskFailure() { failureText.clear(); }

void NoteDiskFailure(const char* title, DWORD error) {
  if (!failureText.empty()) return;
  std::string name = title != nullptr ? title : "";
  while (!name.empty() && name.back() == ' ') name.pop_back();
  failureText = name + ": " + SystemErrorText(error);
}

const std::string& DiskFailureText() { return failureText; }

std::string SystemErrorText(DWORD error) {
  char text[256];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                sizeof text, nullptr);
  if (length == 0) {
    std::snprintf(text, sizeof text, "Error %lu.", static_cast<unsigned long>(error));
    return text;
  }
  std::string sentence(text, length);
  while (!sentence.empty() && (sentence.back() == '\n' || sentence.back() == '\r' || sentence.back() == ' '))
    sentence.pop_back();
  return sentence;
}
