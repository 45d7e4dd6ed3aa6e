// What each fuzz target does with one input. The libFuzzer programs in this folder call
// these, and the ordinary test suite replays the kept corpora and every input that once
// crashed through the same functions (tests/fuzz), so a fault the fuzzer found stays
// found under the normal and the sanitizer builds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// A resource script, optionally followed by a NUL byte and the bytes every file the
// script names (an icon) reads as.
void rc_script(const std::uint8_t* data, std::size_t size);

// DLGTEMPLATE bytes of a known size.
void dialog_template(const std::uint8_t* data, std::size_t size);

// Menu template bytes of a known size, made into a menu and destroyed again.
void menu_template(const std::uint8_t* data, std::size_t size);

// The first byte chooses the reader, the rest are its bytes: 0 an RT_ICON image, 1 an
// RT_CURSOR image, 2 an RT_BITMAP DIB, 3 an RT_GROUP_ICON, 4 an RT_GROUP_CURSOR, 5 an
// image through CreateIconFromResource.
void resource_image(const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
