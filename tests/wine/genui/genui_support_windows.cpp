// genui_support's display half for the Windows build: a real message box is answered
// with its OK command (what Enter picks on a box with one button), and the test resources
// are compiled into the program (test_resources.rc) instead of registered at run time.
#include "box_answer.h"
#include "genui_support.h"

namespace genui_test {

void WaitUntilBoxTakesInput(HWND) {}

void ChooseDefaultButton(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

void RegisterTestResources() {}

}  // namespace genui_test
