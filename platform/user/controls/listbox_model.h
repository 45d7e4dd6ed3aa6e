// The items and selection of a single-selection list box, apart from any window: the
// LB_* answers that do not depend on drawing.
#pragma once

#include <win32.h>

#include <string>
#include <vector>

namespace win32::user {

class ListBoxModel {
 public:
  struct Item {
    std::string text;
    ULONG_PTR data = 0;
  };

  explicit ListBoxModel(bool sorted = false) : sorted_(sorted) {}

  int count() const { return static_cast<int>(items_.size()); }
  int selection() const { return selection_; }
  bool valid(int index) const { return index >= 0 && index < count(); }
  const Item& item(int index) const { return items_[static_cast<size_t>(index)]; }
  void set_data(int index, ULONG_PTR data) { items_[static_cast<size_t>(index)].data = data; }

  // LB_ADDSTRING: in sorted order (case-insensitive, stable) or at the end.
  int add(const std::string& text);
  // LB_INSERTSTRING: at `index` (-1: the end), never sorted. LB_ERR for a bad index.
  int insert(int index, const std::string& text);
  // LB_DELETESTRING: the count left, or LB_ERR.
  int erase(int index);
  void clear();
  // LB_SETCURSEL: -1 or an index out of range clears the selection and gives LB_ERR.
  int select(int index);
  // LB_FINDSTRING(EXACT): the first item after `start` (wrapping) that begins with (or
  // equals) `text`, without regard to case; LB_ERR when none does.
  int find(int start, const std::string& text, bool exact) const;

 private:
  bool sorted_;
  std::vector<Item> items_;
  int selection_ = -1;
};

// Windows' list-box order: lstrcmpi.
int compare_item_text(const std::string& a, const std::string& b);

}  // namespace win32::user
