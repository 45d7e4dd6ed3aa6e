// Shared by the generated-layer tests: the framework started as WinMain starts it, a
// message box answered from the test's thread while another thread shows it, and test
// resources (a bitmap and a narrow client template).
#pragma once

#include <win32.h>

#include <functional>
#include <string>
#include <vector>

#include "icon_pixels.h"

namespace genui_test {

// Registers the framework's classes once, with TheApp as the current application.
void StartFramework();

struct BoxAnswer {
  bool shown = false;
  std::string text;     // the box's text
  std::string caption;  // its title
  int result = -2;      // what the call returned
};

// Runs `call` on a thread of its own; when it shows a message box titled
// "TORVEX NT Benchmarks", reads the box and answers it with Enter.
BoxAnswer AnswerBox(const std::function<int()>& call);

using icon_test::IconPixels;
using icon_test::kIconSize;

// A 40 x 20 bitmap "TESTBITMAP" in four coloured quarters, and "NARROWDLG", a client
// template of 30 x 40 dialog units with one static control.
constexpr int kBitmapWidth = 40;
constexpr int kBitmapHeight = 20;
constexpr COLORREF kTopLeft = RGB(255, 0, 0);
constexpr COLORREF kTopRight = RGB(0, 255, 0);
constexpr COLORREF kBottomLeft = RGB(0, 0, 255);
constexpr COLORREF kBottomRight = RGB(255, 255, 255);
void RegisterTestResources();

}  // namespace genui_test
