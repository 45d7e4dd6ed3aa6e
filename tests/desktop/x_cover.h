// A window of another client laid over part of the screen for a moment: the windows
// below lose those pixels and are asked to show them again (an expose). Kept apart
// because the X headers' macros must not meet the platform's.
#pragma once

#include <string>

#include "picture.h"

namespace desktop_test {

// Maps a plain window over `area` of `display`, waits until the server has drawn it,
// and takes it away again. False when the display cannot be opened.
bool cover_for_a_moment(const std::string& display, const Area& area);

}  // namespace desktop_test
