// The software rasteriser's core: raster operations, brushes made ready for drawing,
// and a Canvas that holds one DC's pixels locked and clipped for one drawing call.
// Everything here works in surface coordinates.
#pragma once

#include <win32.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "gdi/clip_region.h"
#include "gdi/device_context.h"
#include "gdi/surface.h"

namespace gdi {

// Binary raster operation (R2_*) of a pen colour with the destination.
Pixel apply_rop2(int rop2, Pixel pen, Pixel dst);
// Ternary raster operation: the high word's index byte of a ROP3 code, applied to
// pattern, source and destination.
Pixel apply_rop3(std::uint8_t code, Pixel pat, Pixel src, Pixel dst);
// Index byte of a ROP3 code (SRCCOPY -> 0xCC).
constexpr std::uint8_t rop3_index(DWORD rop) { return static_cast<std::uint8_t>(rop >> 16); }
// Whether a ROP3 reads the source or the pattern.
constexpr bool rop3_uses_source(std::uint8_t i) { return ((i >> 2) & 0x33) != (i & 0x33); }
constexpr bool rop3_uses_pattern(std::uint8_t i) { return ((i >> 4) & 0x0F) != (i & 0x0F); }

// A brush as it will paint on one DC: solid, hatched (lines in the brush colour, gaps in
// the background colour or left alone when TRANSPARENT) or a pattern.
class BrushPaint {
 public:
  BrushPaint() = default;  // the null brush: paints nothing
  BrushPaint(const DeviceContext& dc, HBRUSH brush);
  static BrushPaint solid(Pixel color);

  bool null() const { return null_; }
  // One colour everywhere (solid brushes).
  bool uniform() const { return !null_ && width_ == 1 && height_ == 1; }
  // False where the brush leaves the destination alone.
  bool paints(int sx, int sy) const;
  Pixel at(int sx, int sy) const;

 private:
  bool null_ = true;
  int width_ = 1;
  int height_ = 1;
  std::vector<Pixel> colors_{0};
  std::vector<std::uint8_t> opaque_{1};
  POINT origin_{0, 0};  // surface position of pattern pixel (0,0)

  int index(int sx, int sy) const;
};

// One drawing call on one DC: the DC's surface locked, the clip computed once.
class Canvas {
 public:
  explicit Canvas(const DeviceContext& dc);

  bool ready() const { return surface_ != nullptr; }
  Surface& surface() { return *surface_; }
  const ClipRegion& clip() const { return clip_; }

  // One pixel through a binary raster operation, if inside the clip.
  void plot(int sx, int sy, Pixel color, int rop2);
  // A rectangle through a ternary raster operation with a brush (no source).
  void fill(const RECT& area, const BrushPaint& brush, std::uint8_t rop3);
  // A rectangle through a binary raster operation with a brush (shape interiors).
  void fill_rop2(const RECT& area, const BrushPaint& brush, int rop2);

 private:
  std::shared_ptr<Surface> surface_;
  std::unique_lock<std::mutex> lock_;
  ClipRegion clip_;
};

}  // namespace gdi
