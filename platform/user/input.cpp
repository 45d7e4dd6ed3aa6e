// Mouse and keyboard routing, key state, cursor and beeps.
#include "input.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "display/backend.h"
#include "focus.h"
#include "geometry.h"
#include "send_message.h"
#include "window_tree.h"

namespace win32::user {
namespace {

constexpr DWORD kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 4;
constexpr UINT kNonClientOffset = WM_NCMOUSEMOVE - WM_MOUSEMOVE;
constexpr UINT kButtonDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr UINT kButtonVk[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

struct InputState {
  POINT cursor_pos{};
  HCURSOR cursor = nullptr;
  std::array<bool, 256> async_down{};
  std::array<bool, 256> down{};      // as the retrieved messages left it (GetKeyState)
  std::array<bool, 256> toggled{};
  struct {
    UINT message = 0;
    HWND hwnd = nullptr;
    DWORD time = 0;
    POINT pt{};
  } last_click;
  // The last key-down taken from a queue and the character the layout gave it, for
  // TranslateMessage.
  struct {
    HWND hwnd = nullptr;
    DWORD time = 0;
    UINT vk = 0;
    int typed = -1;
  } last_key;
};

InputState& state_locked() {
  static InputState* s = new InputState;
  return *s;
}

// Whether input for `hwnd` may be delivered: the window and every ancestor enabled.
bool accepts_input_locked(HWND hwnd) {
  for (Window* w = window_locked(hwnd); w; w = w->is_child() ? window_locked(w->parent) : nullptr)
    if (!w->enabled()) return false;
  return true;
}

void queue_event_locked(InputEvent event) {
  Window* w = window_locked(event.target);
  if (!w) return;
  auto queue = queue_of_thread_locked(w->thread_id);
  if (!queue) return;
  event.time = message_clock();
  queue->input.push_back(event);
  queue->signal();
}

WPARAM mouse_keys_locked() {
  const InputState& s = state_locked();
  WPARAM keys = 0;
  if (s.async_down[VK_LBUTTON]) keys |= MK_LBUTTON;
  if (s.async_down[VK_RBUTTON]) keys |= MK_RBUTTON;
  if (s.async_down[VK_MBUTTON]) keys |= MK_MBUTTON;
  if (s.async_down[VK_SHIFT]) keys |= MK_SHIFT;
  if (s.async_down[VK_CONTROL]) keys |= MK_CONTROL;
  return keys;
}

void mouse_event_locked(UINT message) {
  InputState& s = state_locked();
  HWND target = focus_state_locked().capture;
  if (!target) target = window_from_point_locked(s.cursor_pos);
  if (!target) return;
  if (!accepts_input_locked(target)) {
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONUP && message != WM_RBUTTONUP && message != WM_MBUTTONUP)
      display::backend().beep(0);
    return;
  }
  InputEvent event;
  event.kind = InputEvent::Kind::Mouse;
  event.target = target;
  event.message = message;
  event.screen = s.cursor_pos;
  event.key = mouse_keys_locked();
  queue_event_locked(event);
}

// Converts a mouse event into its message; false when it is dropped. Sends
// WM_NCHITTEST, WM_SETCURSOR and WM_MOUSEACTIVATE, so it unlocks while it runs.
bool convert_mouse(InputEvent& e, UserLock& lock) {
  HWND capture = focus_state_locked().capture;
  lock.unlock();
  LRESULT hit = capture == e.target ? HTCLIENT
                                    : send_message(e.target, WM_NCHITTEST, 0, MAKELPARAM(e.screen.x, e.screen.y));
  bool is_down = e.message == WM_LBUTTONDOWN || e.message == WM_RBUTTONDOWN || e.message == WM_MBUTTONDOWN;
  if (!capture && (e.message == WM_MOUSEMOVE || is_down))
    send_message(e.target, WM_SETCURSOR, reinterpret_cast<WPARAM>(e.target), MAKELPARAM(hit, e.message));
  bool keep = true;
  if (is_down) {
    HWND top, active;
    {
      UserLock relock(user_lock());
      top = top_level_of_locked(e.target);
      active = focus_state_locked().active;
    }
    if (top != active) {
      LRESULT how = send_message(e.target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MAKELPARAM(hit, e.message));
      if (how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT) activate(top, WA_CLICKACTIVE);
      keep = how != MA_ACTIVATEANDEAT && how != MA_NOACTIVATEANDEAT;
    }
  }
  lock.lock();
  Window* w = window_locked(e.target);
  if (!w || !keep) return false;
  UINT message = e.message;
  if (is_down && (w->window_class->style & CS_DBLCLKS || hit != HTCLIENT)) {
    auto& last = state_locked().last_click;
    if (last.message == message && last.hwnd == e.target && e.time - last.time <= kDoubleClickTime &&
        std::abs(e.screen.x - last.pt.x) <= kDoubleClickDistance &&
        std::abs(e.screen.y - last.pt.y) <= kDoubleClickDistance) {
      message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
      last = {};
    } else {
      last = {message, e.target, e.time, e.screen};
    }
  }
  e.msg = MSG{};
  e.msg.hwnd = e.target;
  e.msg.time = e.time;
  e.msg.pt = e.screen;
  if (hit == HTCLIENT) {
    POINT origin = client_origin_on_screen_locked(*w);
    e.msg.message = message;
    e.msg.wParam = e.key;
    e.msg.lParam = MAKELPARAM(e.screen.x - origin.x, e.screen.y - origin.y);
  } else {
    e.msg.message = message + kNonClientOffset;
    e.msg.wParam = static_cast<WPARAM>(hit);
    e.msg.lParam = MAKELPARAM(e.screen.x, e.screen.y);
  }
  return true;
}

void convert_wheel_locked(InputEvent& e) {
  e.msg = MSG{};
  e.msg.hwnd = e.target;
  e.msg.message = WM_MOUSEWHEEL;
  e.msg.wParam = MAKEWPARAM(static_cast<WORD>(e.key), static_cast<WORD>(static_cast<SHORT>(e.wheel)));
  e.msg.lParam = MAKELPARAM(e.screen.x, e.screen.y);
  e.msg.time = e.time;
  e.msg.pt = e.screen;
}

void convert_key_locked(InputEvent& e) {
  InputState& s = state_locked();
  bool down = e.message == WM_KEYDOWN;
  UINT vk = static_cast<UINT>(e.key) & 0xFF;
  e.msg = MSG{};
  e.msg.hwnd = e.target;
  e.msg.message = e.message;
  e.msg.wParam = e.key;
  e.msg.lParam = e.key_data;
  e.msg.time = e.time;
  e.msg.pt = s.cursor_pos;
  if (down && !s.down[vk]) s.toggled[vk] = !s.toggled[vk];
  s.down[vk] = down;
  if (down) s.last_key = {e.msg.hwnd, e.msg.time, vk, e.typed};
}

}  // namespace

void input_mouse_move(POINT screen) {
  UserLock lock(user_lock());
  state_locked().cursor_pos = screen;
  set_cursor_position_locked(screen);
  mouse_event_locked(WM_MOUSEMOVE);
}

void input_mouse_button(int button, bool down) {
  if (button < 0 || button > 2) return;
  UserLock lock(user_lock());
  state_locked().async_down[kButtonVk[button]] = down;
  state_locked().down[kButtonVk[button]] = down;
  mouse_event_locked(kButtonDown[button] + (down ? 0 : 1));
}

void input_mouse_wheel(int delta) {
  if (delta == 0) return;
  UserLock lock(user_lock());
  FocusState& f = focus_state_locked();
  HWND target = f.focus ? f.focus : f.active;
  if (!target || !accepts_input_locked(target)) return;
  InputEvent event;
  event.kind = InputEvent::Kind::Wheel;
  event.target = target;
  event.message = WM_MOUSEWHEEL;
  event.screen = state_locked().cursor_pos;
  event.key = mouse_keys_locked();
  // The distance travels in the high word of wParam as a signed short.
  event.wheel = std::clamp(delta, -32768, 32767);
  queue_event_locked(event);
}

void input_key(UINT vk, bool down, int typed) {
  vk &= 0xFF;
  UserLock lock(user_lock());
  InputState& s = state_locked();
  bool was_down = s.async_down[vk];
  s.async_down[vk] = down;
  FocusState& f = focus_state_locked();
  HWND target = f.focus ? f.focus : f.active;
  if (!target || !accepts_input_locked(target)) return;
  bool alt = s.async_down[VK_MENU] && !s.async_down[VK_CONTROL];
  bool system = alt || vk == VK_MENU || vk == VK_F10 || !f.focus;
  InputEvent event;
  event.kind = InputEvent::Kind::Key;
  event.target = target;
  event.message = (down ? WM_KEYDOWN : WM_KEYUP) + (system ? WM_SYSKEYDOWN - WM_KEYDOWN : 0);
  event.key = vk;
  event.typed = down ? typed : -1;
  DWORD data = 1u | (static_cast<DWORD>(vk & 0xFF) << 16);
  if (alt) data |= 1u << 29;
  if (was_down) data |= 1u << 30;
  if (!down) data |= (1u << 30) | (1u << 31);
  event.key_data = static_cast<LPARAM>(data);
  queue_event_locked(event);
}

bool take_input_message(ThreadQueue& queue, const MessageFilter& filter, bool remove, MSG* out, UserLock& lock) {
  for (size_t i = 0; i < queue.input.size(); ++i) {
    if (!queue.input[i].converted) {
      InputEvent event = queue.input[i];
      bool keep = true;
      if (event.kind == InputEvent::Kind::Mouse)
        keep = convert_mouse(event, lock);
      else if (event.kind == InputEvent::Kind::Wheel)
        convert_wheel_locked(event);
      else
        convert_key_locked(event);
      // The queue may have changed while the lock was released: find the event again.
      for (auto& e : queue.input) {
        if (e.time == event.time && e.target == event.target && e.message == event.message && !e.converted) {
          e = event;
          e.converted = true;
          e.dropped = !keep;
          break;
        }
      }
      return take_input_message(queue, filter, remove, out, lock);
    }
    InputEvent& e = queue.input[i];
    if (e.dropped) {
      queue.input.erase(queue.input.begin() + static_cast<std::ptrdiff_t>(i));
      --i;
      continue;
    }
    if (!filter.wants_locked(e.msg)) continue;
    *out = e.msg;
    if (remove) queue.input.erase(queue.input.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
  }
  return false;
}

}  // namespace win32::user

using namespace win32::user;

SHORT WINAPI GetKeyState(int vk) {
  UserLock lock(user_lock());
  const InputState& s = state_locked();
  unsigned key = static_cast<unsigned>(vk) & 0xFF;
  return static_cast<SHORT>((s.down[key] ? 0x8000 : 0) | (s.toggled[key] ? 1 : 0));
}

SHORT WINAPI GetAsyncKeyState(int vk) {
  UserLock lock(user_lock());
  return static_cast<SHORT>(state_locked().async_down[static_cast<unsigned>(vk) & 0xFF] ? 0x8000 : 0);
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  HCURSOR old;
  {
    UserLock lock(user_lock());
    old = state_locked().cursor;
    state_locked().cursor = cursor;
  }
  if (old != cursor) display::backend().set_cursor(cursor);
  return old;
}

HCURSOR WINAPI GetCursor(void) {
  UserLock lock(user_lock());
  return state_locked().cursor;
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  UserLock lock(user_lock());
  *point = state_locked().cursor_pos;
  return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
  input_mouse_move(POINT{x, y});
  return TRUE;
}

UINT WINAPI GetDoubleClickTime(void) { return kDoubleClickTime; }

BOOL WINAPI MessageBeep(UINT type) {
  display::backend().beep(type);
  return TRUE;
}

namespace {

char shifted_digit(UINT vk) { return ")!@#$%^&*("[vk - '0']; }

// The character a key gives with the current shift, caps lock and control state; 0 for
// keys that give none.
char key_character(UINT vk, bool shift, bool caps, bool control) {
  if (vk >= 'A' && vk <= 'Z') {
    if (control) return static_cast<char>(vk - 'A' + 1);
    return static_cast<char>((shift != caps) ? vk : vk + ('a' - 'A'));
  }
  if (control) return 0;
  if (vk >= '0' && vk <= '9') return shift ? shifted_digit(vk) : static_cast<char>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char>('0' + vk - VK_NUMPAD0);
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    default: return 0;
  }
}

}  // namespace

BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  bool key_down = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  bool key_up = msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP;
  if (!key_down && !key_up) return FALSE;
  if (key_up) return TRUE;
  int typed = -1;
  {
    UserLock lock(user_lock());
    const auto& last = state_locked().last_key;
    if (last.hwnd == msg->hwnd && last.time == msg->time && last.vk == (static_cast<UINT>(msg->wParam) & 0xFF))
      typed = last.typed;
  }
  if (typed >= 0) {  // 0: the layout types something the ANSI code page cannot show
    UINT message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    if (typed > 0) PostMessageA(msg->hwnd, message, static_cast<WPARAM>(typed), msg->lParam);
    return TRUE;
  }
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
  bool control = GetKeyState(VK_CONTROL) < 0 && msg->message == WM_KEYDOWN;
  char c = key_character(static_cast<UINT>(msg->wParam), shift, caps, control);
  if (c) {
    UINT message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    PostMessageA(msg->hwnd, message, static_cast<unsigned char>(c), msg->lParam);
  }
  return TRUE;
}
