// The desktop backend in this process, on a private X server: once a window is on the
// desktop a present is put by the presenting thread itself and is on the server when it
// returns; what the server shows is the window's pixels after the display thread moved
// the window, and after the desktop lost them and asked for them again.
#include <gtest/gtest.h>
#include <win32.h>

#include <cstdlib>
#include <list>
#include <optional>
#include <string>
#include <utility>

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

// How many pixels of the screen differ from the pattern of `phase` shown from `at`, each
// pattern pixel as a `scale` x `scale` block; -1 when the screen could not be photographed.
// `part` (window pixels), when given, limits the count to the pixels inside it, or with
// `outside` to those outside it.
long differences(const XSession& x, POINT at, int phase, int scale = 1, const RECT* part = nullptr,
                 bool outside = false) {
  Picture shot = Picture::from_xwd(run_tool({"xwd", "-root", "-silent"}, x.environment(), std::chrono::seconds(10)));
  if (shot.empty()) return -1;
  long wrong = 0;
  for (int y = 0; y < kHeight * scale; ++y)
    for (int xx = 0; xx < kWidth * scale; ++xx) {
      POINT p{xx / scale, y / scale};
      if (part && (PtInRect(part, p) != 0) == outside) continue;
      if (shot.at(at.x + xx, at.y + y) != pattern(p.x, p.y, phase)) ++wrong;
    }
  return wrong;
}

long differences_within(const XSession& x, POINT at, int phase, std::chrono::seconds timeout, int scale = 1) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  long wrong;
  do {
    wrong = differences(x, at, phase, scale);
  } while (wrong != 0 && std::chrono::steady_clock::now() < deadline);
  return wrong;
}

// The program's display is chosen once per process: each test here needs a process of
// its own, as ctest gives it.
bool claim_the_display() {
  static bool claimed = false;
  return !std::exchange(claimed, true);
}

// A private X server without a window manager (places and exposes are the server's own),
// the desktop backend on it at `scale`, and one visible popup window of kWidth x kHeight
// at (10, 20), shown and lent to the presenting threads.
class DesktopPresent : public ::testing::Test {
 protected:
  void open(const char* scale) {
    if (!claim_the_display()) GTEST_SKIP() << "the display was chosen earlier in this process";
    ASSERT_TRUE(x_.ready()) << x_.failure();
    env_.emplace_back("DISPLAY", x_.display());
    env_.emplace_back("TORVEX_DISPLAY", "sdl");
    env_.emplace_back("TORVEX_SCALE", scale);
    backend_ = dynamic_cast<display::sdl::SdlBackend*>(&display::backend());
    ASSERT_NE(backend_, nullptr) << "the desktop backend did not start";
    window_ = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 10, 20, kWidth, kHeight, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    RECT area;
    ASSERT_TRUE(win32::user::window_surface_area(window_, &surface_, &area));
    backend_->flush();
  }
  void TearDown() override {
    if (!backend_) return;
    if (window_) DestroyWindow(window_);
    backend_->flush();
    backend_->shutdown();  // before the server goes
  }
  // Paints the pattern of `phase` and presents it; true when it was put directly.
  bool paint_and_present(int phase) {
    paint(*surface_, phase);
    std::uint64_t before = backend_->direct_presents();
    backend_->present(window_, RECT{0, 0, kWidth, kHeight});
    return backend_->direct_presents() == before + 1;
  }

  XSession x_{"1024x768", false};
  std::list<ScopedEnv> env_;
  display::sdl::SdlBackend* backend_ = nullptr;
  HWND window_ = nullptr;
  std::shared_ptr<gdi::Surface> surface_;
};

TEST_F(DesktopPresent, PutByThePresentingThreadOnTheServerWhenItReturnsAlsoAfterAMoveAndAnExpose) {
  open("1");
  if (IsSkipped() || HasFatalFailure()) return;
  // Not flushed: a direct present is on the server when it returns.
  EXPECT_TRUE(paint_and_present(1));
  EXPECT_EQ(differences(x_, POINT{10, 20}, 1), 0);

  // A move is the display thread's work; afterwards the window is lent again.
  SetWindowPos(window_, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  backend_->flush();
  EXPECT_TRUE(paint_and_present(2));
  EXPECT_EQ(differences(x_, POINT{300, 200}, 2), 0);

  // The display thread's own copy of the pixels is older than what was put directly: an
  // expose must show the window's pixels, not that copy.
  paint_and_present(3);
  ASSERT_TRUE(cover_for_a_moment(x_.display(), Area{280, 180, 560, 340}));
  EXPECT_EQ(differences_within(x_, POINT{300, 200}, 3, std::chrono::seconds(5)), 0);
}

TEST_F(DesktopPresent, AtScaleTwoADirectPutShowsEachPixelAsATwoByTwoBlock) {
  open("2");
  if (IsSkipped() || HasFatalFailure()) return;
  // The display thread repaints exposed windows from the window's pixels, scaled right
  // whatever a direct put did; an expose of our own, once repainted, says the one from
  // showing the window has been handled too.
  paint_and_present(0);
  ASSERT_TRUE(cover_for_a_moment(x_.display(), Area{0, 0, 500, 300}));
  ASSERT_EQ(differences_within(x_, POINT{20, 40}, 0, std::chrono::seconds(5), 2), 0);
  EXPECT_TRUE(paint_and_present(1));
  EXPECT_EQ(differences(x_, POINT{20, 40}, 1, 2), 0);
}

// Releasing a control's DC puts the control's part of the window, not the whole window.
TEST_F(DesktopPresent, ReleasingAControlsDCPutsOnlyTheControl) {
  open("1");
  if (IsSkipped() || HasFatalFailure()) return;
  const RECT control{20, 10, 80, 40};
  HWND child = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, control.left, control.top,
                               control.right - control.left, control.bottom - control.top, window_, nullptr, nullptr,
                               nullptr);
  ASSERT_NE(child, nullptr);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  backend_->flush();
  paint_and_present(1);
  ASSERT_TRUE(cover_for_a_moment(x_.display(), Area{0, 0, 500, 300}));
  ASSERT_EQ(differences_within(x_, POINT{10, 20}, 1, std::chrono::seconds(5)), 0);

  paint(*surface_, 2);  // all of the window changed, but only the control says so
  std::uint64_t direct = backend_->direct_presents();
  ReleaseDC(child, GetDC(child));
  EXPECT_EQ(backend_->direct_presents(), direct + 1);
  EXPECT_EQ(differences(x_, POINT{10, 20}, 2, 1, &control), 0);
  EXPECT_EQ(differences(x_, POINT{10, 20}, 1, 1, &control, true), 0) << "pixels outside the control were put too";
}

}  // namespace
}  // namespace desktop_test
