// A small window that shows the platform at work: a caption and frame, text in the
// system font, filled and outlined shapes, the application icon, and two fields of which the focused one is
// marked. Under the headless display it photographs the screen and exits; on a desktop
// it runs until its window is closed.
#include <win32.h>
#include <win32_headless.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const char kMainClass[] = "TorvexPlatformDemo";
const char kFieldClass[] = "TorvexDemoField";
constexpr int kFirstField = 101;
constexpr int kSecondField = 102;

void paint_main(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  SetBkMode(hdc, TRANSPARENT);
  TextOutA(hdc, 16, 12, "TORVEX NT Benchmarks", 20);
  TextOutA(hdc, 16, 32, "The platform layer draws this window.", 37);

  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 160));
  RECT bar{16, 60, 176, 100};
  FillRect(hdc, &bar, blue);
  DeleteObject(blue);

  HPEN red = CreatePen(PS_SOLID, 2, RGB(200, 0, 0));
  HBRUSH yellow = CreateSolidBrush(RGB(255, 220, 0));
  HGDIOBJ old_pen = SelectObject(hdc, red);
  HGDIOBJ old_brush = SelectObject(hdc, yellow);
  Ellipse(hdc, 196, 56, 276, 104);
  Rectangle(hdc, 296, 60, 376, 100);
  DrawIcon(hdc, 336 - 16, 6, LoadIconA(nullptr, IDI_APPLICATION));
  MoveToEx(hdc, 16, 116, nullptr);
  LineTo(hdc, 376, 116);
  SelectObject(hdc, old_pen);
  SelectObject(hdc, old_brush);
  DeleteObject(red);
  DeleteObject(yellow);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK main_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      paint_main(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

// A field shows its text, and a thick dark frame while it has the focus.
LRESULT CALLBACK field_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      char text[64];
      int n = GetWindowTextA(hwnd, text, sizeof text);
      SetBkMode(hdc, TRANSPARENT);
      TextOutA(hdc, 6, 4, text, n);
      if (GetFocus() == hwnd) {
        HBRUSH dark = CreateSolidBrush(RGB(0, 0, 0));
        FrameRect(hdc, &client, dark);
        InflateRect(&client, -1, -1);
        FrameRect(hdc, &client, dark);
        DeleteObject(dark);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

bool register_classes() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = main_proc;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainClass;
  if (!RegisterClassA(&wc)) return false;
  wc.lpfnWndProc = field_proc;
  wc.hIcon = nullptr;
  wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kFieldClass;
  return RegisterClassA(&wc) != 0;
}

void pump_until_quiet() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

int main() {
  if (!register_classes()) return 1;
  HWND main = CreateWindowExA(0, kMainClass, "TORVEX platform demo", WS_OVERLAPPEDWINDOW, 40, 40, 400, 240,
                              nullptr, nullptr, nullptr, nullptr);
  if (!main) return 1;
  CreateWindowExA(WS_EX_CLIENTEDGE, kFieldClass, "First field", WS_CHILD | WS_VISIBLE, 16, 132, 170, 28, main,
                  reinterpret_cast<HMENU>(kFirstField), nullptr, nullptr);
  CreateWindowExA(WS_EX_CLIENTEDGE, kFieldClass, "Second field", WS_CHILD | WS_VISIBLE, 206, 132, 170, 28, main,
                  reinterpret_cast<HMENU>(kSecondField), nullptr, nullptr);
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  // The focus starts in the first field and moves to the second, as a click would move it.
  SetFocus(GetDlgItem(main, kFirstField));
  pump_until_quiet();
  SetFocus(GetDlgItem(main, kSecondField));
  pump_until_quiet();

  if (headless::active()) {
    const char* chosen = std::getenv("TORVEX_DEMO_SCREENSHOT");
    std::string path = chosen ? chosen : (std::filesystem::temp_directory_path() / "torvex_platform_demo.png").string();
    bool saved = headless::screenshot(path.c_str());
    std::printf("TORVEX platform demo (headless): screenshot %s %s\n", path.c_str(), saved ? "written" : "FAILED");
    DestroyWindow(main);
    return saved ? 0 : 1;
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
