#include "edit_model.h"

#include <algorithm>

namespace win32::user {

void EditModel::set_text(const std::string& text) {
  text_ = text;
  anchor_ = caret_ = 0;
}

void EditModel::select(long start, long end) {
  const long size = static_cast<long>(text_.size());
  if (start == -1) {
    anchor_ = caret_;
    return;
  }
  if (end == -1 || end > size) end = size;
  start = std::clamp(start, 0L, size);
  end = std::clamp(end, 0L, size);
  anchor_ = static_cast<std::size_t>(start);
  caret_ = static_cast<std::size_t>(end);
}

bool EditModel::replace_selection(const std::string& text) {
  std::size_t start = selection_start(), end = selection_end();
  std::size_t kept = text_.size() - (end - start);
  std::size_t room = limit_ > kept ? limit_ - kept : 0;
  std::string inserted = text.substr(0, std::min(room, text.size()));
  if (inserted.empty() && !text.empty()) return false;
  text_.replace(start, end - start, inserted);
  anchor_ = caret_ = start + inserted.size();
  return true;
}

bool EditModel::erase_backward() {
  if (has_selection()) return replace_selection("");
  if (caret_ == 0) return false;
  text_.erase(caret_ - 1, 1);
  anchor_ = --caret_;
  return true;
}

bool EditModel::erase_forward() {
  if (has_selection()) return replace_selection("");
  if (caret_ >= text_.size()) return false;
  text_.erase(caret_, 1);
  anchor_ = caret_;
  return true;
}

void EditModel::place(std::size_t position, bool extend) {
  caret_ = std::min(position, text_.size());
  if (!extend) anchor_ = caret_;
}

// Without Shift, Left and Right first collapse a selection to its near end.
void EditModel::move_left(bool extend) {
  if (!extend && has_selection())
    place(selection_start(), false);
  else
    place(caret_ > 0 ? caret_ - 1 : 0, extend);
}

void EditModel::move_right(bool extend) {
  if (!extend && has_selection())
    place(selection_end(), false);
  else
    place(caret_ + 1, extend);
}

void EditModel::move_home(bool extend) { place(0, extend); }
void EditModel::move_end(bool extend) { place(text_.size(), extend); }
void EditModel::move_to(std::size_t position, bool extend) { place(position, extend); }

}  // namespace win32::user
