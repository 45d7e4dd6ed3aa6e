// A window-like surface with a DC on it, for pixel tests. When a test fails, the surface
// is written to gdi-failures/<suite>.<test>.png beside the test program's working
// directory so a person can look at it.
#pragma once

#include <gtest/gtest.h>
#include <win32.h>

#include <filesystem>
#include <memory>
#include <string>

#include "display/png_writer.h"
#include "gdi/surface.h"
#include "gdi/window_dc.h"

namespace gdi_test {

constexpr gdi::Pixel kPaper = 0x00FFFFFF;
constexpr gdi::Pixel kInk = 0x00000000;

class SurfaceTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 64;
  static constexpr int kHeight = 48;

  void SetUp() override {
    surface = std::make_shared<gdi::Surface>(kWidth, kHeight, kPaper);
    hdc = gdi::CreateSurfaceDC(surface, POINT{0, 0}, gdi::ClipRegion(surface->bounds()));
    ASSERT_NE(hdc, nullptr);
  }

  void TearDown() override {
    if (HasFailure()) save_png("");
    gdi::DestroySurfaceDC(hdc);
  }

  // Writes the surface for a person to look at; returns the path.
  std::string save_png(const std::string& suffix) const {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::create_directories("gdi-failures");
    std::string path = std::string("gdi-failures/") + info->test_suite_name() + "." +
                       info->name() + suffix + ".png";
    display::write_png(*surface, path);
    return path;
  }

  gdi::Pixel px(int x, int y) const {
    std::lock_guard lock(surface->mutex());
    return surface->at(x, y);
  }

  // Number of pixels in [l,r) x [t,b) with the given value.
  int count(gdi::Pixel value, RECT r = RECT{0, 0, kWidth, kHeight}) const {
    std::lock_guard lock(surface->mutex());
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += surface->at(x, y) == value;
    return n;
  }

  // True when every pixel outside `r` still has the paper colour.
  bool untouched_outside(RECT r) const {
    std::lock_guard lock(surface->mutex());
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
        if (!inside && surface->at(x, y) != kPaper) return false;
      }
    return true;
  }

  std::shared_ptr<gdi::Surface> surface;
  HDC hdc = nullptr;
};

}  // namespace gdi_test
