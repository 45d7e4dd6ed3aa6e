// The program's main menu as classic template bytes, built here the way the resource
// compiler writes it, and a way to load bytes through the resource path (with a size).
#pragma once

#include <win32.h>
#include <win32_resources.h>

#include <deque>
#include <string>
#include <vector>

namespace menu_test {

class MenuBytes {
 public:
  MenuBytes() { words_ = {0, 0}; }
  MenuBytes& popup(const char* text, bool last = false) { return add(MF_POPUP | (last ? MF_END : 0), nullptr, text); }
  MenuBytes& item(WORD id, const char* text, bool last = false, WORD flags = 0) {
    return add(flags | (last ? MF_END : 0), &id, text);
  }
  MenuBytes& separator() {
    WORD zero = 0;
    return add(0, &zero, "");
  }
  std::vector<WORD> words() const { return words_; }

 private:
  MenuBytes& add(WORD option, const WORD* id, const char* text) {
    words_.push_back(option);
    if (id) words_.push_back(*id);
    for (; *text; ++text) words_.push_back(static_cast<unsigned char>(*text));
    words_.push_back(0);
    return *this;
  }
  std::vector<WORD> words_;
};

inline std::vector<WORD> main_menu_template() {
  MenuBytes m;
  m.popup("&File")
      .separator()
      .item(4000, "&Save")
      .item(4001, "Save &as...")
      .separator()
      .item(4002, "&Print")
      .separator()
      .item(4003, "E&xit", true)
      .item(4004, "&Run!")
      .popup("&Help", true)
      .item(4005, "&About", true);
  return m.words();
}

inline std::deque<std::string>& registered_menu_names() {
  static std::deque<std::string> names;
  return names;
}
inline int registered_menu_count() { return static_cast<int>(registered_menu_names().size()); }

// Registers the bytes as an RT_MENU resource named TESTMENUn (n counting from 0) and
// loads it by name.
inline HMENU register_and_load(const std::vector<WORD>& words) {
  static std::deque<std::vector<WORD>> kept;
  static std::deque<win32::ResourceRecord> records;
  auto& names = registered_menu_names();
  kept.push_back(words);
  names.push_back("TESTMENU" + std::to_string(names.size()));
  records.push_back(win32::ResourceRecord{4, names.back().c_str(), 0,
                                          reinterpret_cast<const unsigned char*>(kept.back().data()),
                                          kept.back().size() * sizeof(WORD)});
  win32::register_resources(&records.back(), 1);
  return LoadMenuA(nullptr, names.back().c_str());
}

}  // namespace menu_test
