// Input, paint and timer messages are not part of the window core yet; the queue asks
// here so that they slot in behind posted messages in Windows' order.
#include "generated_messages.h"

namespace win32::user {

bool take_generated_message(ThreadQueue&, const MessageFilter&, bool, MSG*, UserLock&) {
  return false;
}

DWORD generated_message_status_locked(ThreadQueue&) { return 0; }

void after_dispatch(const MSG&) {}

}  // namespace win32::user

// Keyboard input arrives with the display backends; until then nothing is translated.
BOOL WINAPI TranslateMessage(const MSG*) { return FALSE; }
