// Drawing with the DC's pen: one-pixel and wide lines, dash styles, and the R2 mix.
#pragma once

#include <win32.h>

#include "gdi/raster.h"

namespace gdi {

class PenStroke {
 public:
  PenStroke(const DeviceContext& dc, Canvas& canvas);

  bool null() const { return style_ == PS_NULL; }
  int width() const { return width_; }
  int style() const { return style_; }
  Pixel color() const { return color_; }

  // A line in surface coordinates from a to b, b itself excluded (the Win32 rule, so
  // joined lines never draw a pixel twice). The dash pattern runs on across calls.
  void line(POINT a, POINT b);
  // The outline of a rectangle (surface coordinates, right/bottom excluded): solid pens
  // as four disjoint bands (so an XOR pen touches each pixel once), styled pens as a
  // closed line path.
  void frame(const RECT& r);

 private:
  void dot(int x, int y, bool gap);
  bool in_gap();

  Canvas& canvas_;
  int style_ = PS_SOLID;
  int width_ = 1;
  int rop2_ = R2_COPYPEN;
  Pixel color_ = 0;
  Pixel background_ = 0xFFFFFF;
  bool opaque_gaps_ = true;
  int dash_position_ = 0;
};

}  // namespace gdi
