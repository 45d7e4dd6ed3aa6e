// The headless backend: a virtual screen nobody sees. It records beeps and composes
// screenshots from the top-level windows' surfaces on demand.
#pragma once

#include <mutex>
#include <vector>

#include "display/backend.h"

namespace display {

class HeadlessBackend final : public Backend {
 public:
  const char* name() const override { return "headless"; }
  void open_surface(HWND, std::shared_ptr<gdi::Surface>) override {}
  void close_surface(HWND) override {}
  void present(HWND, const RECT&) override {}
  void pump_input() override {}
  void set_cursor(HCURSOR) override {}
  void beep(UINT type) override;

  std::vector<UINT> beeps() const;
  void clear_beeps();

 private:
  mutable std::mutex mutex_;
  std::vector<UINT> beeps_;
};

HeadlessBackend* headless_backend();  // null when another backend runs

}  // namespace display
