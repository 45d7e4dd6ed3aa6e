// Test interface of the headless display: drive the program as a person would (mouse
// and keyboard), wait until its GUI thread has nothing left to do, and photograph the
// screen or one window. Only tests and tools include this header; programs use win32.h.
#pragma once

#include <win32.h>

#include <vector>

namespace headless {

// Whether the headless backend runs (the calls below do nothing under another one).
bool active();

// Mouse, in screen coordinates. Buttons: 0 left, 1 right, 2 middle.
void mouse_move(int x, int y);
void mouse_button(int button, bool down);
void click(int x, int y, int button = 0);
void double_click(int x, int y);

// Keyboard, by virtual key. press_key sends down and up; type_text presses the keys of
// a plain text (letters, digits, blanks, punctuation, shift where needed).
void key(UINT vk, bool down);
void press_key(UINT vk);
void type_text(const char* text);

// Waits until the thread that owns `window` waits for messages with none pending and no
// window needing paint. False when that does not happen within `timeout_ms`.
bool wait_idle(HWND window, DWORD timeout_ms = 10000);

// Writes a PNG of the whole screen (windows composed in z-order over the desktop), or
// of one top-level window's surface (a child window: its part of that surface).
bool screenshot(const char* path);
bool screenshot_window(HWND window, const char* path);

// The screen as a person would see it now, as COLORREF pixels, row by row.
std::vector<COLORREF> screen_pixels(int* width, int* height);

// MessageBeep and refused clicks, in order; clear_beeps forgets them.
std::vector<UINT> beeps();
void clear_beeps();

}  // namespace headless
