// The desktop's keys as Win32 virtual keys, and typed text as the program's ANSI
// characters. Letters and digits follow the layout (the key that types "a" is 'A', as on
// Windows); every other key is named by its position on the keyboard.
#pragma once

#include <win32.h>

#include <cstdint>

namespace display::sdl {

// The virtual key for an SDL key event (its keycode and scancode), or 0 for none.
UINT virtual_key(std::int32_t keycode, int scancode);

// The Windows-1252 character for one typed UTF-8 character, or 0 when the text is more
// than one character or has no such character.
char ansi_character(const char* utf8);

}  // namespace display::sdl
