// Builds classic DLGTEMPLATE bytes in memory, the way a resource compiler lays them
// out: the header with its menu/class/title/font fields, then each item on a DWORD
// boundary. Shared by the dialog, control and message-box tests.
#pragma once

#include <win32.h>

#include <string>
#include <vector>

namespace dialog_test {

class TemplateBuilder {
 public:
  TemplateBuilder(DWORD style, short x, short y, short cx, short cy, const char* title = "",
                  const char* font = nullptr, WORD point_size = 8) {
    dword(style);
    dword(0);
    count_at_ = words_.size();
    words_.push_back(0);
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the dialog class
    text(title);
    if (style & DS_SETFONT) {
      words_.push_back(point_size);
      text(font ? font : "MS Sans Serif");
    }
  }

  // A control by ordinal class (0x0080 Button ... 0x0085 ComboBox).
  TemplateBuilder& item(WORD class_ordinal, WORD id, const char* title, DWORD style, short x, short y, short cx,
                        short cy, DWORD ex_style = 0) {
    begin_item(style, ex_style, x, y, cx, cy, id);
    words_.push_back(0xFFFF);
    words_.push_back(class_ordinal);
    text(title);
    words_.push_back(0);  // no creation data
    return *this;
  }

  // A control by class name, with an optional ordinal title and creation data.
  TemplateBuilder& named_item(const char* class_name, WORD id, const char* title, DWORD style, short x, short y,
                              short cx, short cy, std::vector<unsigned char> creation_data = {}) {
    begin_item(style, 0, x, y, cx, cy, id);
    text(class_name);
    text(title);
    words_.push_back(static_cast<WORD>(creation_data.size()));
    for (size_t i = 0; i < creation_data.size(); i += 2)
      words_.push_back(static_cast<WORD>(creation_data[i] | (i + 1 < creation_data.size() ? creation_data[i + 1] << 8 : 0)));
    return *this;
  }

  // A static showing the icon resource `icon_id` (its title is the ordinal form).
  TemplateBuilder& icon_item(WORD id, WORD icon_id, DWORD style, short x, short y, short cx, short cy) {
    begin_item(style, 0, x, y, cx, cy, id);
    for (WORD w : {WORD{0xFFFF}, WORD{0x0082}, WORD{0xFFFF}, icon_id, WORD{0}}) words_.push_back(w);
    return *this;
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
  size_t size() const { return words_.size() * sizeof(WORD); }
  const std::vector<WORD>& words() const { return words_; }

 private:
  void dword(DWORD v) {
    words_.push_back(LOWORD(v));
    words_.push_back(HIWORD(v));
  }
  void text(const char* s) {
    for (; s && *s; ++s) words_.push_back(static_cast<unsigned char>(*s));
    words_.push_back(0);
  }
  void begin_item(DWORD style, DWORD ex_style, short x, short y, short cx, short cy, WORD id) {
    if (words_.size() % 2) words_.push_back(0);  // items start on a DWORD boundary
    ++words_[count_at_];
    dword(style);
    dword(ex_style);
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
  }

  std::vector<WORD> words_;
  size_t count_at_ = 0;
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kListBox = 0x0083;

// The benchmark window's client dialog, control for control.
inline TemplateBuilder bench_dialog(DWORD style = 0x84000000) {
  TemplateBuilder t(style, 1, 38, 132, 109);
  t.item(kStatic, 100, "Disk Drive:", 0x50000002, 2, 2, 37, 12)
      .item(kStatic, 102, "Threads:", 0x50000002, 70, 2, 32, 9)
      .item(kStatic, 104, "Blocks:", 0x50000002, 4, 19, 32, 10)
      .item(kEdit, 10001, "1", 0x50810000, 106, 2, 23, 12)
      .item(kEdit, 10002, "4096", 0x50810000, 40, 18, 28, 12)
      .item(kStatic, 108, "Repeat:", 0x50000002, 75, 19, 27, 10)
      .item(kEdit, 10003, "1", 0x50810000, 106, 17, 23, 12)
      .item(kStatic, 110, "Integer Performance:", 0x50000000, 5, 31, 48, 17)
      .item(kStatic, 10004, "-----", 0x50000000, 61, 34, 32, 12)
      .item(kStatic, 112, "KDhry/s", 0x50000000, 99, 34, 30, 13)
      .item(kStatic, 113, "Floating Point Performance:", 0x50000000, 5, 50, 48, 17)
      .item(kStatic, 114, "Disk Performance:", 0x50000000, 5, 68, 48, 17)
      .item(kStatic, 10005, "-----", 0x50000000, 61, 53, 32, 12)
      .item(kStatic, 10006, "-----", 0x50000000, 61, 71, 32, 12)
      .item(kStatic, 117, "KWhet/s", 0x50000000, 99, 52, 30, 13)
      .item(kStatic, 118, "Kbyte/s", 0x50000000, 99, 72, 30, 13)
      .item(kStatic, 10007, "Status: Not Running", 0x50000000, 5, 86, 122, 20)
      .item(kListBox, 10000, "", 0x50A00003, 40, 0, 27, 16);
  return t;
}

// Runs the thread's queue dry, letting a dialog have its keyboard interface.
inline void pump(HWND dialog = nullptr) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace dialog_test
