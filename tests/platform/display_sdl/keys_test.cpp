// The desktop's keys as virtual keys, and typed text as ANSI characters.
#include <gtest/gtest.h>

#include <SDL_keycode.h>

#include "display/sdl/sdl_keys.h"

using display::sdl::ansi_character;
using display::sdl::virtual_key;

namespace {

struct KeyRow {
  SDL_Keycode keycode;
  SDL_Scancode scancode;
  UINT vk;
  const char* what;
};

TEST(SdlKeys, MapToTheVirtualKeysTheDialogManagerAndMenusExpect) {
  const KeyRow rows[] = {
      {SDLK_a, SDL_SCANCODE_A, 'A', "a letter"},
      {SDLK_z, SDL_SCANCODE_Z, 'Z', "the last letter"},
      {SDLK_a, SDL_SCANCODE_Q, 'A', "a French layout's A sits where the US Q is"},
      {SDLK_AMPERSAND, SDL_SCANCODE_1, '1', "a French digit row still gives digit keys"},
      {SDLK_0, SDL_SCANCODE_0, '0', "zero"},
      {0x0444 /* Cyrillic ef */, SDL_SCANCODE_A, 'A', "a non-Latin layout names letters by position"},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, VK_RETURN, "Enter"},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, VK_RETURN, "keypad Enter"},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, VK_ESCAPE, "Escape"},
      {SDLK_TAB, SDL_SCANCODE_TAB, VK_TAB, "Tab"},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, VK_LEFT, "left arrow"},
      {SDLK_DOWN, SDL_SCANCODE_DOWN, VK_DOWN, "down arrow"},
      {SDLK_LALT, SDL_SCANCODE_LALT, VK_MENU, "left Alt"},
      {SDLK_RALT, SDL_SCANCODE_RALT, VK_MENU, "right Alt"},
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, VK_SHIFT, "left Shift"},
      {SDLK_RCTRL, SDL_SCANCODE_RCTRL, VK_CONTROL, "right Control"},
      {SDLK_F1, SDL_SCANCODE_F1, VK_F1, "F1"},
      {SDLK_F10, SDL_SCANCODE_F10, VK_F10, "F10, which opens the menu bar"},
      {SDLK_KP_7, SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, "keypad 7"},
      {SDLK_MINUS, SDL_SCANCODE_MINUS, VK_OEM_MINUS, "minus"},
      {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0, "nothing"},
      {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, 0, "a key Windows programs never see here"},
  };
  for (const KeyRow& row : rows) EXPECT_EQ(virtual_key(row.keycode, row.scancode), row.vk) << row.what;
}

TEST(SdlKeys, TypedTextBecomesTheAnsiCharacterOrNothing) {
  EXPECT_EQ(ansi_character("a"), 'a');
  EXPECT_EQ(ansi_character("\""), '"');
  EXPECT_EQ(static_cast<unsigned char>(ansi_character("\xC3\xA9")), 0xE9) << "e acute is Latin-1";
  EXPECT_EQ(static_cast<unsigned char>(ansi_character("\xC3\x9F")), 0xDF) << "sharp s";
  EXPECT_EQ(static_cast<unsigned char>(ansi_character("\xE2\x82\xAC")), 0x80) << "the euro sign";
  EXPECT_EQ(ansi_character("\xD1\x84"), 0) << "Cyrillic has no ANSI character";
  EXPECT_EQ(ansi_character("ab"), 0) << "more than one character";
  EXPECT_EQ(ansi_character("\xC3"), 0) << "cut short";
  EXPECT_EQ(ansi_character("\xFF"), 0) << "malformed";
  EXPECT_EQ(ansi_character(""), 0);
  EXPECT_EQ(ansi_character(nullptr), 0);
}

}  // namespace
