// The text and selection of a single-line edit field, apart from any window: what a
// key, a typed character or a selection message does to them.
#pragma once

#include <cstddef>
#include <string>

namespace win32::user {

class EditModel {
 public:
  static constexpr std::size_t kDefaultLimit = 0x7FFFFFFE;

  const std::string& text() const { return text_; }
  std::size_t anchor() const { return anchor_; }
  std::size_t caret() const { return caret_; }
  std::size_t selection_start() const { return anchor_ < caret_ ? anchor_ : caret_; }
  std::size_t selection_end() const { return anchor_ < caret_ ? caret_ : anchor_; }
  bool has_selection() const { return anchor_ != caret_; }
  std::size_t limit() const { return limit_; }

  // WM_SETTEXT: the whole text, caret at the start, the limit not applied.
  void set_text(const std::string& text);
  // EM_SETSEL: -1 as start removes the selection; an end of -1 means the end of text.
  void select(long start, long end);
  void set_limit(std::size_t limit) { limit_ = limit == 0 ? kDefaultLimit : limit; }

  // Replaces the selection with `text`, cut to what the limit leaves room for.
  // Returns false (and changes nothing) when nothing at all fits.
  bool replace_selection(const std::string& text);
  // Backspace and Delete: the selection, or the character before/after the caret.
  bool erase_backward();
  bool erase_forward();
  // Caret moves; with `extend` the anchor stays (Shift held).
  void move_left(bool extend);
  void move_right(bool extend);
  void move_home(bool extend);
  void move_end(bool extend);
  void move_to(std::size_t position, bool extend);

 private:
  void place(std::size_t position, bool extend);

  std::string text_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  std::size_t limit_ = kDefaultLimit;
};

}  // namespace win32::user
