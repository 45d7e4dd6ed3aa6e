// Presentation on the desktop backend against plain SDL, in the same run on the same X
// server: a full 1024 x 768 update and a status-line-sized one, each from changed pixels
// to pixels on the server, and the time from starting the program to its main window
// being mapped, beside the same time for a bare SDL program that only opens a window
// (this program started again with --bare-window), so the machine's own slowness shows
// apart from ours. Goals: presenting within 1.5 times plain SDL's upload-and-present
// loop on the same shared-memory path; the window mapped within 100 ms. Without DISPLAY the program starts its own Xvfb
// the way the desktop tests do.
#include <SDL.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <win32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "x_session.h"
#include "display/backend.h"
#include "display/sdl/sdl_backend.h"
#include "user/screen_layers.h"

extern char** environ;

#ifndef TORVEX_PROGRAM_PATH
#define TORVEX_PROGRAM_PATH "app/torvex"
#endif

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr RECT kFull{0, 0, kWidth, kHeight};
constexpr RECT kStatusLine{10, 700, 10 + 360, 700 + 20};
constexpr int kFrames = 60;
constexpr int kRounds = 11;
constexpr int kMappedRounds = 9;
constexpr double kPresentLimit = 1.5;
constexpr double kMappedLimitMs = 100.0;

using Clock = std::chrono::steady_clock;

// Changes every pixel of `r` in a row-major 32-bit buffer, as a repaint would.
void paint(std::uint32_t* pixels, int pitch_pixels, const RECT& r, std::uint32_t value) {
  for (int y = r.top; y < r.bottom; ++y)
    std::fill(pixels + static_cast<size_t>(y) * pitch_pixels + r.left, pixels + static_cast<size_t>(y) * pitch_pixels + r.right, value);
}

// ---- plain SDL: the program's pixels copied into the window surface and shown --------
// In a process of its own (this program started again with --plain-loop), because SDL's
// video belongs to one thread of one process and ours is the backend's display thread:
// so the two loops can take turns round by round, and a busy moment of the machine falls
// on both. The child answers each "full" or "status" line with one round's milliseconds
// per frame.

constexpr char kPlainLoop[] = "--plain-loop";

double plain_round(SDL_Window* window, std::vector<std::uint32_t>& pixels, const RECT& r) {
  auto start = Clock::now();
  for (int f = 0; f < kFrames; ++f) {
    paint(pixels.data(), kWidth, r, 0x00102030u + static_cast<std::uint32_t>(f));
    SDL_Surface* target = SDL_GetWindowSurface(window);
    SDL_LockSurface(target);
    for (int y = r.top; y < r.bottom; ++y)
      std::memcpy(static_cast<Uint8*>(target->pixels) + static_cast<size_t>(y) * target->pitch + r.left * 4,
                  pixels.data() + static_cast<size_t>(y) * kWidth + r.left, static_cast<size_t>(r.right - r.left) * 4);
    SDL_UnlockSurface(target);
    SDL_Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    SDL_UpdateWindowSurfaceRects(window, &rect, 1);
  }
  std::chrono::duration<double, std::milli> took = Clock::now() - start;
  return took.count() / kFrames;
}

// `accelerated`: the window surface as SDL makes it by default (a GL texture), else plain
// shared-memory images, the path ours uses.
int plain_loop(bool accelerated) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, accelerated ? "1" : "0", SDL_HINT_OVERRIDE);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return EXIT_FAILURE;
  SDL_Window* window = SDL_CreateWindow("plain", 0, 0, kWidth, kHeight, SDL_WINDOW_BORDERLESS);
  if (!window || !SDL_GetWindowSurface(window)) return EXIT_FAILURE;
  SDL_PumpEvents();
  std::vector<std::uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
  char line[32];
  while (std::fgets(line, sizeof line, stdin)) {
    const RECT& r = std::strncmp(line, "full", 4) == 0 ? kFull : kStatusLine;
    std::printf("%.6f\n", plain_round(window, pixels, r));
    std::fflush(stdout);
  }
  SDL_Quit();
  return EXIT_SUCCESS;
}

// The parent's end of a plain loop child.
class PlainLoop {
 public:
  PlainLoop(const char* self, bool accelerated) {
    int to[2], from[2];
    if (pipe(to) != 0) return;
    if (pipe(from) != 0) {
      close(to[0]);
      close(to[1]);
      return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, to[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, from[1], STDOUT_FILENO);
    for (int fd : {to[0], to[1], from[0], from[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    char* argv[] = {const_cast<char*>(self), const_cast<char*>(kPlainLoop), const_cast<char*>(accelerated ? "1" : "0"),
                    nullptr};
    if (posix_spawn(&pid_, self, &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(to[0]);
    close(from[1]);
    to_ = fdopen(to[1], "w");
    from_ = fdopen(from[0], "r");
  }
  ~PlainLoop() {
    if (to_) std::fclose(to_);  // end of input ends the child
    if (from_) std::fclose(from_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  PlainLoop(const PlainLoop&) = delete;
  PlainLoop& operator=(const PlainLoop&) = delete;

  // One round's milliseconds per frame; negative when the child has gone.
  double round(bool full) {
    if (pid_ <= 0 || !to_ || !from_) return -1;
    std::fputs(full ? "full\n" : "status\n", to_);
    std::fflush(to_);
    double ms = -1;
    if (std::fscanf(from_, "%lf", &ms) != 1) return -1;
    return ms;
  }

 private:
  pid_t pid_ = -1;
  FILE* to_ = nullptr;
  FILE* from_ = nullptr;
};

// ---- the platform: a window's surface changed, presented, on the server ---------------

struct Platform {
  HWND window = nullptr;
  display::sdl::SdlBackend* backend = nullptr;
  std::shared_ptr<gdi::Surface> surface;
};

bool open_platform(Platform& p) {
  setenv("TORVEX_DISPLAY", "sdl", 1);
  p.backend = dynamic_cast<display::sdl::SdlBackend*>(&display::backend());
  if (!p.backend) return false;
  p.window = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr,
                             nullptr);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  RECT area;
  return win32::user::window_surface_area(p.window, &p.surface, &area);
}

double platform_round(Platform& p, const RECT& r) {
  auto start = Clock::now();
  for (int f = 0; f < kFrames; ++f) {
    {
      std::lock_guard lock(p.surface->mutex());
      paint(p.surface->row(0), p.surface->width(), r, 0x00102030u + static_cast<std::uint32_t>(f));
    }
    p.backend->present(p.window, r);
    p.backend->flush();
  }
  std::chrono::duration<double, std::milli> took = Clock::now() - start;
  return took.count() / kFrames;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Compared {
  double plain = -1, ours = -1, ratio = -1;  // medians of the rounds
};

// Rounds in turns, the first of each side after a warm-up one, alternating which side goes
// first; the figure is the median of the rounds' ratios.
Compared compare(PlainLoop& plain, Platform& ours, bool full) {
  const RECT& r = full ? kFull : kStatusLine;
  plain.round(full);
  platform_round(ours, r);
  std::vector<double> plain_ms, ours_ms, ratios;
  for (int round = 0; round < kRounds; ++round) {
    double a, b;
    if (round % 2 == 0) {
      a = plain.round(full);
      b = platform_round(ours, r);
    } else {
      b = platform_round(ours, r);
      a = plain.round(full);
    }
    if (a <= 0) return Compared{};
    plain_ms.push_back(a);
    ours_ms.push_back(b);
    ratios.push_back(b / a);
  }
  return Compared{median(plain_ms), median(ours_ms), median(ratios)};
}

// ---- start-up: from spawning the program to its first window mapped -----------------

constexpr char kBareWindow[] = "--bare-window";

// What a program that does nothing but open a desktop window costs: SDL's video, one
// window of the main window's size, mapped.
int bare_window() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // SIGTERM ends it
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return EXIT_FAILURE;
  SDL_Window* window = SDL_CreateWindow("bare", 0, 0, 272, 264, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
  if (!window) return EXIT_FAILURE;
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface) SDL_FillRect(surface, nullptr, 0x00C0C0C0u);
  SDL_UpdateWindowSurface(window);
  for (SDL_Event e; SDL_WaitEvent(&e);) {
  }
  return EXIT_SUCCESS;  // ended by SIGTERM
}

double start_to_mapped_ms(const char* program, const char* argument) {
  Display* x = XOpenDisplay(nullptr);
  if (!x) return -1;
  XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
  XSync(x, False);
  std::vector<std::string> env_text;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "TORVEX_DISPLAY=", 15) != 0) env_text.push_back(*e);
  env_text.push_back("TORVEX_DISPLAY=sdl");
  std::vector<char*> env;
  for (auto& e : env_text) env.push_back(e.data());
  env.push_back(nullptr);
  char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
  auto start = Clock::now();
  pid_t pid;
  if (posix_spawn(&pid, program, nullptr, nullptr, argv, env.data()) != 0) {
    XCloseDisplay(x);
    return -1;
  }
  double ms = -1;
  auto deadline = start + std::chrono::seconds(10);
  while (Clock::now() < deadline && ms < 0) {
    while (XPending(x)) {
      XEvent e;
      XNextEvent(x, &e);
      if (e.type == MapNotify && ms < 0) ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    pollfd p{ConnectionNumber(x), POLLIN, 0};
    poll(&p, 1, 5);
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(x);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kBareWindow) == 0) return bare_window();
  if (argc > 2 && std::strcmp(argv[1], kPlainLoop) == 0) return plain_loop(std::strcmp(argv[2], "1") == 0);
  benchmark::Initialize(&argc, argv);
  // An X server of our own when the session has none; no window manager, so a window is
  // mapped as soon as it asks.
  std::unique_ptr<desktop_test::XSession> server;
  if (const char* d = std::getenv("DISPLAY"); !d || !*d) {
    server = std::make_unique<desktop_test::XSession>("1024x768", false);
    if (!server->ready()) {
      std::fprintf(stderr, "no X display and no Xvfb to start: %s\n", server->failure().c_str());
      return EXIT_FAILURE;
    }
    setenv("DISPLAY", server->display().c_str(), 1);
  }
  // The loop that counts puts its window surface through the same shared-memory image
  // path ours uses (framebuffer acceleration off). SDL's default, a GL texture redrawn and
  // swapped whole, is far slower without a GPU: shown for information, not the baseline.
  Platform platform;
  if (!open_platform(platform)) {
    std::fprintf(stderr, "the desktop backend did not start\n");
    return EXIT_FAILURE;
  }
  Compared full, status, default_full, default_status;
  std::uint64_t direct = 0, presents = 0;
  {
    PlainLoop same_path(argv[0], false);
    const std::uint64_t direct_before = platform.backend->direct_presents();
    full = compare(same_path, platform, true);
    status = compare(same_path, platform, false);
    direct = platform.backend->direct_presents() - direct_before;
    presents = 2 * (kRounds + 1) * kFrames;
  }
  {
    PlainLoop sdl_default(argv[0], true);
    default_full = compare(sdl_default, platform, true);
    default_status = compare(sdl_default, platform, false);
  }
  DestroyWindow(platform.window);
  if (full.plain < 0 || status.plain < 0) {
    std::fprintf(stderr, "the plain SDL loop did not run\n");
    return EXIT_FAILURE;
  }

  // Taken in turns, so a busy moment of the machine falls on both.
  std::vector<double> mapped, bare;
  for (int i = 0; i < kMappedRounds; ++i) {
    bare.push_back(start_to_mapped_ms(argv[0], kBareWindow));
    mapped.push_back(start_to_mapped_ms(TORVEX_PROGRAM_PATH, nullptr));
  }
  std::sort(mapped.begin(), mapped.end());
  std::sort(bare.begin(), bare.end());
  const double mapped_median = mapped[mapped.size() / 2];
  const double bare_median = bare[bare.size() / 2];

  bool ok = true;
  auto report = [&](const char* what, const Compared& c) {
    bool met = c.ratio <= kPresentLimit;
    ok = ok && met;
    std::printf("%-26s plain SDL %7.3f ms  ours %7.3f ms  ratio %.2f  (goal <= %.1f: %s)\n", what, c.plain, c.ours,
                c.ratio, kPresentLimit, met ? "met" : "MISSED");
  };
  std::printf("Presents: medians of %d rounds of %d frames, plain SDL and ours in turns, against a plain SDL\n"
              "upload-and-present loop whose window surface is a shared-memory image put rectangle by rectangle,\n"
              "the path ours uses.\n",
              kRounds, kFrames);
  report("present 1024x768", full);
  report("present status line", status);
  std::printf("%-26s %llu of %llu put by the presenting thread itself, the rest through the display thread\n", "ours",
              static_cast<unsigned long long>(direct), static_cast<unsigned long long>(presents));
  std::printf("%-26s full %.3f ms (ours %.2fx), status line %.3f ms (ours %.2fx): for information\n",
              "SDL's default GL surface", default_full.plain, default_full.ratio, default_status.plain,
              default_status.ratio);
  bool mapped_met = mapped_median >= 0 && mapped_median < kMappedLimitMs;
  ok = ok && mapped_met;
  std::printf("%-26s bare SDL median %.1f ms (best %.1f)  ours median %.1f ms (best %.1f) of %d  ratio %.2f"
              "  (goal < %.0f ms: %s)\n",
              "start to window mapped", bare_median, bare.front(), mapped_median, mapped.front(), kMappedRounds,
              mapped_median / bare_median, kMappedLimitMs, mapped_met ? "met" : "MISSED");
  benchmark::Shutdown();
  std::fflush(stdout);
  platform.backend->shutdown();  // before the server goes, so nothing talks to it then
  server.reset();
  std::fflush(stdout);
  std::_Exit(ok ? EXIT_SUCCESS : EXIT_FAILURE);  // the display thread is not ours to join here
}
