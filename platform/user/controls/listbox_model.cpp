#include "listbox_model.h"

#include <strings.h>

namespace win32::user {

int compare_item_text(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()); }

int ListBoxModel::add(const std::string& text) {
  if (!sorted_) return insert(-1, text);
  size_t at = 0;
  while (at < items_.size() && compare_item_text(items_[at].text, text) <= 0) ++at;
  return insert(static_cast<int>(at), text);
}

int ListBoxModel::insert(int index, const std::string& text) {
  if (index == -1) index = count();
  if (index < 0 || index > count()) return LB_ERR;
  items_.insert(items_.begin() + index, Item{text, 0});
  if (selection_ >= index) ++selection_;
  return index;
}

int ListBoxModel::erase(int index) {
  if (!valid(index)) return LB_ERR;
  items_.erase(items_.begin() + index);
  if (selection_ == index)
    selection_ = -1;
  else if (selection_ > index)
    --selection_;
  return count();
}

void ListBoxModel::clear() {
  items_.clear();
  selection_ = -1;
}

int ListBoxModel::select(int index) {
  if (!valid(index)) {
    selection_ = -1;
    return LB_ERR;
  }
  selection_ = index;
  return index;
}

int ListBoxModel::find(int start, const std::string& text, bool exact) const {
  int n = count();
  if (n == 0) return LB_ERR;
  if (start < -1 || start >= n) start = -1;
  for (int step = 1; step <= n; ++step) {
    const std::string& candidate = items_[static_cast<size_t>((start + step) % n)].text;
    bool match = exact ? strcasecmp(candidate.c_str(), text.c_str()) == 0
                       : strncasecmp(candidate.c_str(), text.c_str(), text.size()) == 0;
    if (match) return (start + step) % n;
  }
  return LB_ERR;
}

}  // namespace win32::user
