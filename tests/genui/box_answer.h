// The one thing genui_support does differently on each display: answering a message box.
// The headless display injects keys into whichever window has the keyboard at that moment,
// so it waits until the box's thread rests before pressing Enter; a real system queues the
// box's command for it instead. Each build links one implementation, with the resources
// that build's tests load.
#pragma once

#include <win32.h>

namespace genui_test {

// Returns once `box`, shown and visible, is ready to be read and answered.
void WaitUntilBoxTakesInput(HWND box);
// Chooses the box's default button (OK on the boxes the tests show).
void ChooseDefaultButton(HWND box);

}  // namespace genui_test
