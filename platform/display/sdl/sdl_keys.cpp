#include "display/sdl/sdl_keys.h"

#include <SDL_keycode.h>
#include <SDL_scancode.h>

namespace display::sdl {
namespace {

struct ScancodeKey {
  int scancode;
  UINT vk;
};

constexpr ScancodeKey kByPosition[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN},      {SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE},      {SDL_SCANCODE_BACKSPACE, VK_BACK},
    {SDL_SCANCODE_TAB, VK_TAB},            {SDL_SCANCODE_SPACE, VK_SPACE},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT},       {SDL_SCANCODE_RSHIFT, VK_SHIFT},
    {SDL_SCANCODE_LCTRL, VK_CONTROL},      {SDL_SCANCODE_RCTRL, VK_CONTROL},
    {SDL_SCANCODE_LALT, VK_MENU},          {SDL_SCANCODE_RALT, VK_MENU},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},   {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDL_SCANCODE_PAUSE, VK_PAUSE},        {SDL_SCANCODE_INSERT, VK_INSERT},
    {SDL_SCANCODE_DELETE, VK_DELETE},      {SDL_SCANCODE_HOME, VK_HOME},
    {SDL_SCANCODE_END, VK_END},            {SDL_SCANCODE_PAGEUP, VK_PRIOR},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT},      {SDL_SCANCODE_LEFT, VK_LEFT},
    {SDL_SCANCODE_RIGHT, VK_RIGHT},        {SDL_SCANCODE_UP, VK_UP},
    {SDL_SCANCODE_DOWN, VK_DOWN},          {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_PLUS, VK_ADD},        {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL},  {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1},    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},  {SDL_SCANCODE_SLASH, VK_OEM_2},
    {SDL_SCANCODE_GRAVE, VK_OEM_3},        {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5},    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
};

// The Windows-1252 bytes 0x80..0x9F that stand for characters outside Latin-1.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Decodes one UTF-8 character; false when malformed or when more text follows.
bool decode_single(const unsigned char* s, std::uint32_t* out) {
  int extra;
  std::uint32_t c = s[0];
  if (c < 0x80) extra = 0;
  else if ((c & 0xE0) == 0xC0) extra = 1, c &= 0x1F;
  else if ((c & 0xF0) == 0xE0) extra = 2, c &= 0x0F;
  else if ((c & 0xF8) == 0xF0) extra = 3, c &= 0x07;
  else return false;
  for (int i = 1; i <= extra; ++i) {
    if ((s[i] & 0xC0) != 0x80) return false;
    c = (c << 6) | (s[i] & 0x3F);
  }
  if (s[extra + 1] != 0) return false;
  *out = c;
  return true;
}

}  // namespace

UINT virtual_key(std::int32_t keycode, int scancode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return static_cast<UINT>('A' + (keycode - SDLK_a));
  // Digits by position: layouts that put symbols on the digit row unshifted (French)
  // still give the digit keys '0'..'9', as Windows does.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return static_cast<UINT>('1' + (scancode - SDL_SCANCODE_1));
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return static_cast<UINT>('A' + (scancode - SDL_SCANCODE_A));
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return static_cast<UINT>(VK_F1 + (scancode - SDL_SCANCODE_F1));
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) return static_cast<UINT>(VK_NUMPAD0 + 1 + (scancode - SDL_SCANCODE_KP_1));
  if (scancode == SDL_SCANCODE_KP_0) return VK_NUMPAD0;
  for (const ScancodeKey& k : kByPosition)
    if (k.scancode == scancode) return k.vk;
  return 0;
}

char ansi_character(const char* utf8) {
  if (!utf8 || !*utf8) return 0;
  std::uint32_t c;
  if (!decode_single(reinterpret_cast<const unsigned char*>(utf8), &c)) return 0;
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(static_cast<unsigned char>(c));
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] && kHighControls[i] == c) return static_cast<char>(static_cast<unsigned char>(0x80 + i));
  return 0;
}

}  // namespace display::sdl
