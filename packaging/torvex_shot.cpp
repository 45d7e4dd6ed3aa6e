// Photographs the program on the headless display, so pictures of it (the README's
// screenshot, the desktop icon, the reference images of the desktop tests) are made by
// the build from the program itself and stay true.
//
//   torvex_shot window OUT.png [run|about]   the main window, after a run or with About open
//   torvex_shot screen OUT.png [run|about]   the whole virtual screen
//   torvex_shot icon OUT.png [SIZE]          the program icon, SIZE pixels (a multiple of 32)
//   torvex_shot layout                       where the main window, its bar items and panel
//                                            fields lie on the screen, one per line
//
// Exit status 0 when the picture was written.
#include <png.h>
#include <win32.h>
#include <win32_headless.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "framework/winapp.h"

namespace {

constexpr DWORD kRunTimeoutMs = 600000;
constexpr int kFindAttempts = 4000;
constexpr char kTitle[] = "TORVEX NT Benchmarks";
constexpr char kIconName[] = "QUIRVEL";
constexpr int kIconSide = 32;

int usage() {
  std::fprintf(stderr, "usage: torvex_shot window|screen OUT.png [run|about]\n       torvex_shot icon OUT.png [SIZE]\n"
                       "       torvex_shot layout\n");
  return 2;
}

// The bar item whose text (without the mnemonic ampersand) is `name`, clicked.
bool click_bar_item(HWND frame, const char* name) {
  HMENU bar = GetMenu(frame);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    char text[64] = {};
    GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    std::string plain;
    for (const char* p = text; *p; ++p)
      if (*p != '&') plain += *p;
    if (plain != name) continue;
    RECT r{};
    if (!GetMenuItemRect(frame, bar, static_cast<UINT>(i), &r)) return false;
    headless::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return true;
  }
  return false;
}

void print_rect(const char* what, const RECT& r) {
  std::printf("%s %ld %ld %ld %ld\n", what, static_cast<long>(r.left), static_cast<long>(r.top),
              static_cast<long>(r.right), static_cast<long>(r.bottom));
}

// One line per part: "frame L T R B", "bar NAME L T R B", "field ID L T R B".
void print_layout(HWND frame) {
  RECT r{};
  GetWindowRect(frame, &r);
  print_rect("frame", r);
  HMENU bar = GetMenu(frame);
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    char text[64] = {};
    GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    std::string name = "bar ";
    for (const char* p = text; *p; ++p)
      if (*p != '&') name += *p;
    if (GetMenuItemRect(frame, bar, static_cast<UINT>(i), &r)) print_rect(name.c_str(), r);
  }
  HWND panel = GetTopWindow(frame);
  for (int id : {kIdRepeat, kIdDhrystoneResult, kIdWhetstoneResult, kIdDiskResult, kIdStatus}) {
    if (HWND item = GetDlgItem(panel, id); item && GetWindowRect(item, &r))
      print_rect(("field " + std::to_string(id)).c_str(), r);
  }
}

int shoot_program(bool whole_screen, const char* out, const std::string& state) {
  int exit_code = 0;
  std::thread gui([&] {
    static char command_line[] = "";
    exit_code = WinMain(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNORMAL);
  });
  HWND frame = nullptr;
  for (int i = 0; i < kFindAttempts && !frame; ++i) {
    frame = FindWindowA(nullptr, kTitle);
    if (!frame || !IsWindowVisible(frame)) {
      frame = nullptr;
      Sleep(5);
    }
  }
  bool ok = frame && headless::wait_idle(frame, kRunTimeoutMs);
  if (ok && state == "run") {
    ok = click_bar_item(frame, "Run!") && headless::wait_idle(frame, kRunTimeoutMs);
  } else if (ok && state == "about") {
    ok = click_bar_item(frame, "Help") && headless::wait_idle(frame, kRunTimeoutMs);
    if (ok) {
      HMENU help = GetSubMenu(GetMenu(frame), GetMenuItemCount(GetMenu(frame)) - 1);
      RECT r{};
      ok = GetMenuItemRect(frame, help, 0, &r);
      if (ok) headless::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      ok = ok && headless::wait_idle(frame, kRunTimeoutMs);
    }
  }
  if (ok && !out) print_layout(frame);
  else if (ok) ok = whole_screen ? headless::screenshot(out) : headless::screenshot_window(frame, out);
  if (!ok) std::fprintf(stderr, "torvex_shot: the program did not reach the state to photograph\n");
  // The About box is modal: close it first, then the program.
  if (HWND box = GetActiveWindow(); box && box != frame) headless::press_key(VK_ESCAPE);
  if (frame) PostMessageA(frame, WM_CLOSE, 0, 0);
  gui.join();
  return ok ? 0 : 1;
}

// The icon's pixels drawn over black and over white: where the two differ the icon is
// transparent.
std::vector<COLORREF> draw_icon(HICON icon, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kIconSide, kIconSide);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all{0, 0, kIconSide, kIconSide};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  DrawIcon(dc, 0, 0, icon);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < kIconSide; ++y)
    for (int x = 0; x < kIconSide; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

bool write_rgba(const char* path, int side, const std::vector<unsigned char>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(side);
  image.height = static_cast<png_uint_32>(side);
  image.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&image, path, 0, rgba.data(), 0, nullptr) != 0;
}

int shoot_icon(const char* out, int side) {
  if (side < kIconSide || side % kIconSide != 0) return usage();
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), kIconName);
  if (!icon) {
    std::fprintf(stderr, "torvex_shot: the program has no icon %s\n", kIconName);
    return 1;
  }
  auto on_black = draw_icon(icon, RGB(0, 0, 0));
  auto on_white = draw_icon(icon, RGB(255, 255, 255));
  const int factor = side / kIconSide;
  std::vector<unsigned char> rgba(static_cast<size_t>(side) * side * 4);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      size_t from = static_cast<size_t>(y / factor) * kIconSide + static_cast<size_t>(x / factor);
      COLORREF c = on_black[from];
      bool opaque = c == on_white[from];
      unsigned char* p = &rgba[(static_cast<size_t>(y) * side + static_cast<size_t>(x)) * 4];
      p[0] = GetRValue(c);
      p[1] = GetGValue(c);
      p[2] = GetBValue(c);
      p[3] = opaque ? 255 : 0;
    }
  }
  if (!write_rgba(out, side, rgba)) {
    std::fprintf(stderr, "torvex_shot: cannot write %s\n", out);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures come from the virtual screen whatever session this runs in.
  setenv("TORVEX_DISPLAY", "headless", 1);
  if (argc == 2 && std::strcmp(argv[1], "layout") == 0) return shoot_program(false, nullptr, "");
  if (argc < 3) return usage();
  std::string what = argv[1];
  if (what == "icon") return shoot_icon(argv[2], argc > 3 ? std::atoi(argv[3]) : kIconSide);
  if (what != "window" && what != "screen") return usage();
  std::string state = argc > 3 ? argv[3] : "";
  if (!state.empty() && state != "run" && state != "about") return usage();
  return shoot_program(what == "screen", argv[2], state);
}
