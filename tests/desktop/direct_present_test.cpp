// The desktop backend in this process, on a private X server: once a window is on the
// desktop a present is put by the presenting thread itself and is on the server when it
// returns; what the server shows is the window's pixels after the display thread moved
// the window, and after the desktop lost them and asked for them again.
#include <gtest/gtest.h>
#include <win32.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "display/backend.h"
#include "display/sdl/sdl_backend.h"
#include "user/screen_layers.h"
#include "x_cover.h"
#include "x_session.h"

namespace desktop_test {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 100;

// Sets an environment variable for the life of the guard (the tests started after this
// one in the same process must not inherit the display choice).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::uint32_t pattern(int x, int y, int phase) {
  return static_cast<std::uint32_t>(x * 7 + y * 131 + phase * 40503) & 0xFFFFFFu;
}

void paint(gdi::Surface& surface, int phase) {
  std::lock_guard lock(surface.mutex());
  for (int y = 0; y < surface.height(); ++y)
    for (int x = 0; x < surface.width(); ++x) surface.row(y)[x] = pattern(x, y, phase);
}

// How many pixels of the screen at `at` differ from the pattern of `phase`; -1 when the
// screen could not be photographed.
long differences(const XSession& x, POINT at, int phase) {
  Picture shot = Picture::from_xwd(run_tool({"xwd", "-root", "-silent"}, x.environment(), std::chrono::seconds(10)));
  if (shot.empty()) return -1;
  long wrong = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int xx = 0; xx < kWidth; ++xx)
      if (shot.at(at.x + xx, at.y + y) != pattern(xx, y, phase)) ++wrong;
  return wrong;
}

long differences_within(const XSession& x, POINT at, int phase, std::chrono::seconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  long wrong;
  do {
    wrong = differences(x, at, phase);
  } while (wrong != 0 && std::chrono::steady_clock::now() < deadline);
  return wrong;
}

TEST(DesktopPresent, PutByThePresentingThreadOnTheServerWhenItReturnsAlsoAfterAMoveAndAnExpose) {
  XSession x("1024x768", false);  // no window manager: places and exposes are the server's own
  ASSERT_TRUE(x.ready()) << x.failure();
  ScopedEnv display("DISPLAY", x.display());
  ScopedEnv choice("TORVEX_DISPLAY", "sdl");
  ScopedEnv scale("TORVEX_SCALE", "1");
  auto* backend = dynamic_cast<display::sdl::SdlBackend*>(&display::backend());
  ASSERT_NE(backend, nullptr) << "the desktop backend did not start";

  HWND window = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 10, 20, kWidth, kHeight, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  std::shared_ptr<gdi::Surface> surface;
  RECT area;
  ASSERT_TRUE(win32::user::window_surface_area(window, &surface, &area));
  const RECT all{0, 0, kWidth, kHeight};
  backend->flush();  // shown, and lent to the presenting threads

  // Not flushed: a direct present is on the server when it returns.
  paint(*surface, 1);
  std::uint64_t direct = backend->direct_presents();
  backend->present(window, all);
  EXPECT_EQ(backend->direct_presents(), direct + 1);
  EXPECT_EQ(differences(x, POINT{10, 20}, 1), 0);

  // A move is the display thread's work; afterwards the window is lent again.
  SetWindowPos(window, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  backend->flush();
  paint(*surface, 2);
  direct = backend->direct_presents();
  backend->present(window, all);
  EXPECT_EQ(backend->direct_presents(), direct + 1);
  EXPECT_EQ(differences(x, POINT{300, 200}, 2), 0);

  // The display thread's own copy of the pixels is older than what was put directly: an
  // expose must show the window's pixels, not that copy.
  paint(*surface, 3);
  backend->present(window, all);
  ASSERT_TRUE(cover_for_a_moment(x.display(), Area{280, 180, 560, 340}));
  EXPECT_EQ(differences_within(x, POINT{300, 200}, 3, std::chrono::seconds(5)), 0);

  DestroyWindow(window);
  backend->flush();
  backend->shutdown();  // before the server goes
}

}  // namespace
}  // namespace desktop_test
