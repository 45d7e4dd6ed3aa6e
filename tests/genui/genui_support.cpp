#include "genui_support.h"

#include <gtest/gtest.h>
#include <win32_headless.h>
#include <win32_resources.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "framework/winapp.h"
#include "genui/application.h"
#include "platform/dialogs/template_builder.h"

namespace genui_test {
namespace {

constexpr int kBoxTextId = 0xFFFF;
constexpr int kWaitAttempts = 2000;
constexpr auto kWaitPause = std::chrono::milliseconds(5);

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace

void StartFramework() {
  ASSERT_EQ(AfxGetApp(), &TheApp);
  static char commandLine[] = "";
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  const bool registered = GetClassInfoA(instance, "AfxWnd", &existing) != 0;
  AfxWinInit(instance, registered ? instance : nullptr, commandLine, SW_SHOWNORMAL);
}

BoxAnswer AnswerBox(const std::function<int()>& call) {
  BoxAnswer answer;
  std::atomic<bool> done{false};
  std::atomic<DWORD> thread{0};
  int result = -2;
  std::thread caller([&] {
    thread = GetCurrentThreadId();
    result = call();
    done = true;
  });
  for (int attempt = 0; attempt < kWaitAttempts && !done; ++attempt) {
    HWND box = FindWindowA(nullptr, "TORVEX NT Benchmarks");
    if (box != nullptr && GetWindowThreadProcessId(box, nullptr) == thread && IsWindowVisible(box)) {
      headless::wait_idle(box);
      answer.shown = true;
      answer.text = TextOf(GetDlgItem(box, kBoxTextId));
      answer.caption = TextOf(box);
      headless::press_key(VK_RETURN);
      break;
    }
    std::this_thread::sleep_for(kWaitPause);
  }
  caller.join();
  answer.result = result;
  return answer;
}

void RegisterTestResources() {
  static bool registered = false;
  if (registered) return;
  registered = true;

  // A bottom-up 24-bit DIB without file header, as RT_BITMAP holds it.
  static std::vector<unsigned char> dib;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = kBitmapWidth;
  header.biHeight = kBitmapHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  dib.resize(sizeof header);
  std::memcpy(dib.data(), &header, sizeof header);
  const int stride = (kBitmapWidth * 3 + 3) & ~3;
  for (int row = 0; row < kBitmapHeight; ++row) {
    const int y = kBitmapHeight - 1 - row;
    std::vector<unsigned char> line(static_cast<size_t>(stride), 0);
    for (int x = 0; x < kBitmapWidth; ++x) {
      const bool top = y < kBitmapHeight / 2;
      const bool left = x < kBitmapWidth / 2;
      const COLORREF c = top ? (left ? kTopLeft : kTopRight) : (left ? kBottomLeft : kBottomRight);
      line[static_cast<size_t>(x) * 3] = GetBValue(c);
      line[static_cast<size_t>(x) * 3 + 1] = GetGValue(c);
      line[static_cast<size_t>(x) * 3 + 2] = GetRValue(c);
    }
    dib.insert(dib.end(), line.begin(), line.end());
  }

  static dialog_test::TemplateBuilder narrow(0x84000000, 0, 0, 30, 40);
  narrow.item(dialog_test::kStatic, 100, "x", 0x50000000, 2, 2, 20, 10);
  static std::vector<unsigned char> narrowBytes(
      reinterpret_cast<const unsigned char*>(narrow.get()),
      reinterpret_cast<const unsigned char*>(narrow.get()) + narrow.size());

  static const win32::ResourceRecord records[] = {
      {2, "TESTBITMAP", 0, dib.data(), dib.size()},
      {5, "NARROWDLG", 0, narrowBytes.data(), narrowBytes.size()},
  };
  win32::register_resources(records, sizeof records / sizeof records[0]);
}

}  // namespace genui_test
