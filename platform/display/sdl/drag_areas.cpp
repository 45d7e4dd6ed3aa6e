#include "display/sdl/drag_areas.h"

namespace display::sdl {

DragArea drag_area(LRESULT hit, bool enabled, bool maximized) {
  if (!enabled || maximized) return DragArea::None;
  switch (hit) {
    case HTCAPTION: return DragArea::Move;
    case HTLEFT: return DragArea::Left;
    case HTRIGHT: return DragArea::Right;
    case HTTOP: return DragArea::Top;
    case HTBOTTOM: return DragArea::Bottom;
    case HTTOPLEFT: return DragArea::TopLeft;
    case HTTOPRIGHT: return DragArea::TopRight;
    case HTBOTTOMLEFT: return DragArea::BottomLeft;
    case HTBOTTOMRIGHT: return DragArea::BottomRight;
    default: return DragArea::None;
  }
}

}  // namespace display::sdl
