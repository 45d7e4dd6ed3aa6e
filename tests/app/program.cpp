// The in-process program runner used by the end-to-end tests.
#include "program.h"

#include <gtest/gtest.h>
#include <win32_headless.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "drive_letters.h"
#include "framework/winapp.h"
#include "genui/application.h"
#include "genui/kadril_dialogs.h"
#include "genui/kadril_frame.h"

namespace app_test {
namespace {

constexpr int kFirstRecordedId = 10004;
constexpr int kLastRecordedId = 10007;
constexpr int kFindAttempts = 2000;
constexpr auto kFindPause = std::chrono::milliseconds(5);
constexpr int kCloseAttempts = 10;

std::mutex recordMutex;
std::vector<TextSet> recorded;
HHOOK recordHook = nullptr;

LRESULT CALLBACK RecordSetText(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == WM_SETTEXT) {
      const int id = GetDlgCtrlID(message->hwnd);
      if (id >= kFirstRecordedId && id <= kLastRecordedId && message->lParam != 0) {
        std::lock_guard lock(recordMutex);
        recorded.push_back({id, reinterpret_cast<const char*>(message->lParam), GetCursor()});
      }
    }
  }
  return CallNextHookEx(recordHook, code, wParam, lParam);
}

// Status texts to stop at, in order: the GUI thread waits in the hook after the control
// has handled the first of them, until the test's thread lets it go.
std::mutex holdMutex;
std::condition_variable holdChanged;
std::deque<std::string> holdTexts;
bool held = false;
HHOOK holdHook = nullptr;

LRESULT CALLBACK HoldAfterSetText(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (message->message == WM_SETTEXT && message->lParam != 0 && GetDlgCtrlID(message->hwnd) == kLastRecordedId) {
      std::unique_lock lock(holdMutex);
      if (!holdTexts.empty() && holdTexts.front() == reinterpret_cast<const char*>(message->lParam)) {
        held = true;
        holdChanged.notify_all();
        holdChanged.wait(lock, [] { return !held; });
        holdTexts.pop_front();
      }
    }
  }
  return CallNextHookEx(holdHook, code, wParam, lParam);
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Once the framework's classes exist, a later start in this process is a second instance.
HINSTANCE PreviousInstance() {
  WNDCLASSA existing;
  return GetClassInfoA(Instance(), "AfxWnd", &existing) ? Instance() : nullptr;
}

}  // namespace

std::string ShotPath(const char* name) { return ::testing::TempDir() + name; }

// ---- TestDrives ----------------------------------------------------------------------------

TestDrives::TestDrives(int count) : count_(count) {
  static std::atomic<int> serial{0};
  root_ = ::testing::TempDir() + "torvex_drives_" + std::to_string(GetCurrentProcessId()) + "_" +
          std::to_string(serial++);
  std::string table;
  for (int i = 0; i < count; ++i) {
    const char letter = static_cast<char>('a' + i);
    std::filesystem::create_directories(Directory(letter));
    if (!table.empty()) table += ';';
    table += std::string(1, letter) + "=" + Directory(letter);
  }
  PointDriveLetters(table);
}

TestDrives::~TestDrives() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string TestDrives::Directory(char letter) const { return root_ + "/" + letter; }

std::vector<std::string> TestDrives::Files() const {
  std::vector<std::string> files;
  for (int i = 0; i < count_; ++i) {
    for (const auto& entry : std::filesystem::directory_iterator(Directory(static_cast<char>('a' + i)))) {
      files.push_back(entry.path().string());
    }
  }
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::current_path())) {
    if (entry.path().filename().string().rfind("qzt", 0) == 0) files.push_back(entry.path().string());
  }
  return files;
}

// ---- Program -------------------------------------------------------------------------------

Program::Program() {
  // The program's own application object is the current one (nothing else made one).
  EXPECT_EQ(AfxGetApp(), &TheApp);
  ForgetTexts();
  gui_ = std::thread([this] {
    guiThreadId_ = GetCurrentThreadId();
    recordHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSetText, nullptr, GetCurrentThreadId());
    holdHook = SetWindowsHookExA(WH_CALLWNDPROCRET, HoldAfterSetText, nullptr, GetCurrentThreadId());
    static char commandLine[] = "";
    exitCode_ = WinMain(Instance(), PreviousInstance(), commandLine, SW_SHOWNORMAL);
    UnhookWindowsHookEx(recordHook);
    UnhookWindowsHookEx(holdHook);
    ended_ = true;
  });
  for (int attempt = 0; attempt < kFindAttempts && frame_ == nullptr; ++attempt) {
    HWND found = FindWindowA(nullptr, "TORVEX NT Benchmarks");
    if (found != nullptr && guiThreadId_ != 0 &&
        GetWindowThreadProcessId(found, nullptr) == guiThreadId_ &&
        IsWindowVisible(found)) {
      frame_ = found;
    } else {
      std::this_thread::sleep_for(kFindPause);
    }
  }
  if (frame_ != nullptr) Idle();
}

Program::~Program() {
  if (joined_) return;
  // A test that failed half-way may leave a menu or a box open: close those first, then
  // the main window, and give up loudly rather than hang.
  for (int attempt = 0; attempt < kCloseAttempts && !ended_; ++attempt) {
    headless::press_key(VK_ESCAPE);
    headless::press_key(VK_ESCAPE);
    if (IsWindow(frame_)) PostMessageA(frame_, WM_CLOSE, 0, 0);
    for (int wait = 0; wait < kFindAttempts / kCloseAttempts && !ended_; ++wait) {
      std::this_thread::sleep_for(kFindPause);
    }
  }
  if (!ended_) {
    ADD_FAILURE() << "the program did not end";
    std::abort();
  }
  Join();
}

// File/Exit ends only the message loop: the windows then go with the GUI thread (as they
// go with the process on Windows) without WM_NCDESTROY, and their objects stay. The real
// program ends there; this process starts it again, so they go now, detached first.
namespace {
void ReleaseObjectsOfVanishedWindows() {
  CKadrilClientDlg* panel = TheApp.pClientDlg;
  if (panel != nullptr && !IsWindow(panel->hWnd)) {
    panel->Detach();
    delete panel;  // clears TheApp.pClientDlg
  }
  CWnd* frame = TheApp.pMainWnd;
  if (frame != nullptr && !IsWindow(frame->hWnd)) {
    frame->Detach();
    TheApp.pMainWnd = nullptr;
    delete frame;  // clears TheApp.pMainFrame
  }
}
}  // namespace

int Program::Join() {
  if (!joined_) {
    gui_.join();
    joined_ = true;
    ReleaseObjectsOfVanishedWindows();
  }
  return exitCode_;
}

bool Program::Idle(DWORD timeoutMs) const { return headless::wait_idle(frame_, timeoutMs); }

std::string Program::Text(HWND window) const {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Program::ClickBar(int position) {
  RECT r{};
  EXPECT_TRUE(GetMenuItemRect(frame_, GetMenu(frame_), position, &r)) << "bar item " << position;
  // Alternate between two points of the item, so that two quick choices of the same item
  // are two clicks, not one double click (the display counts clicks between them only
  // where they would make double clicks themselves).
  barClickLeft_ = !barClickLeft_;
  const int x = barClickLeft_ ? r.left + (r.right - r.left) / 4 : r.right - (r.right - r.left) / 4;
  headless::click(x, (r.top + r.bottom) / 2);
  Idle();
}

void Program::ClickPopupItem(int barPosition, int itemPosition) {
  ClickBar(barPosition);
  RECT r{};
  HMENU popup = GetSubMenu(GetMenu(frame_), barPosition);
  // No window for a pop-up: Windows then finds the menu's own window; given the frame, it
  // would place the item as if the pop-up's corner were the frame's.
  EXPECT_TRUE(GetMenuItemRect(nullptr, popup, itemPosition, &r)) << "pop-up item " << itemPosition;
  headless::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void Program::ClickWindow(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  headless::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void Program::TypeInto(int id, const char* text) {
  ClickWindow(Item(id));
  // The headless display picks the keyboard's window when a key is injected, so the
  // click's focus change must have happened first.
  Idle();
  headless::press_key(VK_END);
  headless::key(VK_SHIFT, true);
  headless::press_key(VK_HOME);
  headless::key(VK_SHIFT, false);
  if (*text == '\0') {
    headless::press_key(VK_DELETE);
  } else {
    headless::type_text(text);
  }
  Idle();
}

std::vector<TextSet> Program::TextsSet() const {
  std::lock_guard lock(recordMutex);
  return recorded;
}

void Program::ForgetTexts() {
  std::lock_guard lock(recordMutex);
  recorded.clear();
}

void Program::HoldStatusAt(const std::vector<std::string>& texts) {
  std::lock_guard lock(holdMutex);
  holdTexts.assign(texts.begin(), texts.end());
  held = false;
}

bool Program::WhileHeldAt(const char* text, const std::function<void()>& whileHeld) {
  std::unique_lock lock(holdMutex);
  const bool came = holdChanged.wait_for(lock, std::chrono::seconds(120), [&] {
    return held && !holdTexts.empty() && holdTexts.front() == text;
  });
  if (came) {
    lock.unlock();
    whileHeld();
    lock.lock();
  } else {
    holdTexts.clear();
  }
  held = false;
  holdChanged.notify_all();
  return came;
}

HWND Program::FindBox(const char* caption) const {
  HWND box = FindWindowA(nullptr, caption);
  if (box == nullptr || GetWindowThreadProcessId(box, nullptr) != guiThreadId_) return nullptr;
  return box;
}

UINT FileItemState(HWND frame, UINT id) {
  return GetMenuState(GetSubMenu(GetMenu(frame), 0), id, MF_BYCOMMAND) & MF_GRAYED;
}

}  // namespace app_test
