// Which presses the desktop's window manager takes over (move, resize) and which stay
// with the program, for real frame layouts.
#include <gtest/gtest.h>

#include "display/sdl/drag_areas.h"
#include "user/nonclient.h"

using display::sdl::drag_area;
using display::sdl::DragArea;

namespace {

struct AreaRow {
  POINT at;
  DragArea area;
  const char* what;
};

DragArea area_of(DWORD style, bool menu, int w, int h, POINT at, bool enabled = true, bool maximized = false) {
  return drag_area(win32::user::hit_test(style, 0, menu, w, h, at), enabled, maximized);
}

TEST(DragAreas, ASizableFramedWindowMovesByItsCaptionAndResizesByItsEdges) {
  const int w = 400, h = 300;
  const AreaRow rows[] = {
      {{200, 10}, DragArea::Move, "the caption's middle"},
      {{w - 10, 10}, DragArea::None, "the close box"},
      {{8, 10}, DragArea::None, "the system-menu icon"},
      {{60, 30}, DragArea::None, "the menu bar"},
      {{200, 150}, DragArea::None, "the client area"},
      {{1, 150}, DragArea::Left, "the left edge"},
      {{w - 1, 150}, DragArea::Right, "the right edge"},
      {{200, h - 1}, DragArea::Bottom, "the bottom edge"},
      {{200, 1}, DragArea::Top, "the top edge"},
      {{1, 1}, DragArea::TopLeft, "the top-left corner"},
      {{w - 1, h - 1}, DragArea::BottomRight, "the bottom-right corner"},
      {{1, h - 1}, DragArea::BottomLeft, "the bottom-left corner"},
      {{w + 5, 10}, DragArea::None, "outside"},
  };
  for (const AreaRow& row : rows) EXPECT_EQ(area_of(WS_OVERLAPPEDWINDOW, true, w, h, row.at), row.area) << row.what;
}

TEST(DragAreas, FixedFramesDisabledOwnersAndMaximizedWindowsStayPut) {
  const DWORD dialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  EXPECT_EQ(area_of(dialog, false, 300, 200, {150, 10}), DragArea::Move) << "a dialog moves by its caption";
  EXPECT_EQ(area_of(dialog, false, 300, 200, {1, 100}), DragArea::None) << "but has no sizing edge";
  EXPECT_EQ(area_of(WS_OVERLAPPEDWINDOW, false, 300, 200, {150, 10}, false), DragArea::None)
      << "the owner of a modal box takes no drag";
  EXPECT_EQ(area_of(WS_OVERLAPPEDWINDOW, false, 300, 200, {1, 100}, true, true), DragArea::None)
      << "a maximized window is not resized";
}

}  // namespace
