// The headless display's test interface (win32_headless.h) for the Windows build: the
// program under test is driven through the system's own input queue (SendInput), so a
// click or a key reaches it as a person's would. Beeps cannot be observed here; the tests
// that count them are left out of this build.
#include <win32_headless.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace headless {
namespace {

// Keys that Windows sends with the extended flag (the grey block and the arrows).
bool IsExtendedKey(UINT vk) {
  switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RMENU: case VK_RCONTROL:
      return true;
    default:
      return false;
  }
}

// Input on its way: the system may hand a sent click or key to the thread some time after
// SendInput returns, so the presses sent (buttons and keys, down and up) are counted
// against those the watched threads have taken off their queues.
std::atomic<long> pressesSent{0};
std::atomic<long> pressesTaken{0};

bool IsPress(UINT message) {
  switch (message) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
      return true;
    default:
      return (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) ||
             (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK);
  }
}

void Send(INPUT input) { SendInput(1, &input, sizeof input); }

void SendPress(INPUT input) {
  ++pressesSent;
  Send(input);
}

// The idle probe: a thread message posted to the GUI thread and seen by a WH_GETMESSAGE
// hook when that thread takes it off its queue. Posted messages come off in order, so by
// then the thread has finished everything posted before; if nothing else is queued (no
// message, input or window to paint), it goes back to waiting. A modal loop may still do
// one thing when its queue runs empty (the dialog manager shows its dialog then), so the
// thread counts as idle only when two probes in a row find nothing queued.
struct Probe {
  std::mutex mutex;
  std::condition_variable seen;
  WPARAM serial = 0;
  bool queueEmpty = false;
};
Probe probe;
std::atomic<WPARAM> lastSerial{0};

UINT ProbeMessage() {
  static const UINT message = RegisterWindowMessageA("TORVEX test idle probe");
  return message;
}

LRESULT CALLBACK Watch(int code, WPARAM removal, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  // A look without removing (a running benchmark's PeekMessage) is no rest.
  if (code == HC_ACTION && removal == PM_REMOVE) {
    if (IsPress(msg->message)) ++pressesTaken;
    if (msg->hwnd == nullptr && msg->message == ProbeMessage()) {
      const UINT pending = HIWORD(GetQueueStatus(QS_ALLINPUT)) & ~static_cast<UINT>(QS_TIMER);
      {
        std::lock_guard lock(probe.mutex);
        probe.serial = msg->wParam;
        probe.queueEmpty = pending == 0;
      }
      probe.seen.notify_all();
    }
  }
  return CallNextHookEx(nullptr, code, removal, lParam);
}

// The watched thread: its hook stays for the thread's life, and the open handle keeps its
// id from passing to another thread meanwhile. Watching starts with no input on its way.
struct Watched {
  DWORD id = 0;
  HANDLE thread = nullptr;
};
std::mutex watchedMutex;
Watched watched;

bool WatchThread(DWORD id) {
  std::lock_guard lock(watchedMutex);
  if (watched.id == id && WaitForSingleObject(watched.thread, 0) == WAIT_TIMEOUT) return true;
  if (watched.thread != nullptr) CloseHandle(watched.thread);
  watched = Watched{};
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
  if (thread == nullptr) return false;
  if (SetWindowsHookExA(WH_GETMESSAGE, Watch, nullptr, id) == nullptr) {
    CloseHandle(thread);
    return false;
  }
  pressesTaken = pressesSent.load();
  watched = Watched{id, thread};
  return true;
}

}  // namespace

// The calls below work here too, through the system's own input queue and screen.
bool active() { return true; }

void mouse_move(int x, int y) {
  SetCursorPos(x, y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;  // a move by nothing: WM_MOUSEMOVE where the cursor is
  Send(input);
}

void mouse_button(int button, bool down) {
  static constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN};
  static constexpr DWORD kUp[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_MIDDLEUP};
  if (button < 0 || button > 2) return;
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? kDown[button] : kUp[button];
  SendPress(input);
}

void click(int x, int y, int button) {
  mouse_move(x, y);
  mouse_button(button, true);
  mouse_button(button, false);
}

void double_click(int x, int y) {
  click(x, y);
  click(x, y);
}

void key(UINT vk, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(vk);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  SendPress(input);
}

void press_key(UINT vk) {
  key(vk, true);
  key(vk, false);
}

void type_text(const char* text) {
  for (; *text != '\0'; ++text) {
    const SHORT scan = VkKeyScanA(*text);
    if (scan == -1) continue;
    const bool shift = (scan & 0x100) != 0;
    if (shift) key(VK_SHIFT, true);
    press_key(LOBYTE(scan));
    if (shift) key(VK_SHIFT, false);
  }
}

bool wait_idle(HWND window, DWORD timeout_ms) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread == 0 || !WatchThread(thread)) return false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  constexpr int kQuietProbes = 2;
  int quiet = 0;
  // The system drops a press it can no longer deliver (say the key's release, when the box
  // that had the focus has gone): when none is taken for a while, the rest are not coming.
  constexpr auto kPressStall = std::chrono::seconds(2);
  long takenBefore = pressesTaken;
  auto takenAt = std::chrono::steady_clock::now();
  while (quiet < kQuietProbes && std::chrono::steady_clock::now() < deadline) {
    if (pressesTaken < pressesSent) {
      if (pressesTaken != takenBefore) {
        takenBefore = pressesTaken;
        takenAt = std::chrono::steady_clock::now();
      } else if (std::chrono::steady_clock::now() - takenAt > kPressStall) {
        std::fprintf(stderr, "wait_idle: %ld of %ld presses taken; the rest were dropped\n",
                     static_cast<long>(pressesTaken), static_cast<long>(pressesSent));
        pressesTaken = pressesSent.load();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    const WPARAM serial = ++lastSerial;
    if (!PostThreadMessageA(thread, ProbeMessage(), serial, 0)) break;
    std::unique_lock lock(probe.mutex);
    if (!probe.seen.wait_until(lock, deadline, [serial] { return probe.serial == serial; })) break;
    quiet = probe.queueEmpty ? quiet + 1 : 0;
    lock.unlock();
    if (quiet == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (quiet < kQuietProbes) std::fprintf(stderr, "wait_idle: the thread did not come to rest\n");
  return quiet >= kQuietProbes;
}

std::vector<UINT> beeps() { return {}; }
void clear_beeps() {}

}  // namespace headless
