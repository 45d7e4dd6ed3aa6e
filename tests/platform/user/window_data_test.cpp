// Window data, texts, numbers, classes and relations.
#include <gtest/gtest.h>

#include <cstring>

#include "test_windows.h"

using namespace user_test;

namespace {

class WindowData : public ::testing::Test {
 protected:
  void SetUp() override {
    register_test_classes();
    log().clear();
    set_override(nullptr);
    dialog_ = make_top_level(kLoggingClass);
    edit_ = make_child(dialog_, 100);
  }
  void TearDown() override { DestroyWindow(dialog_); }
  HWND dialog_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(WindowData, DialogItemNumbersParseAsWindowsDoes) {
  struct Row {
    const char* text;
    BOOL is_signed;
    UINT value;
    BOOL translated;
  };
  const Row rows[] = {
      {"42", FALSE, 42, TRUE},         {"  42", FALSE, 42, TRUE},
      {"007", FALSE, 7, TRUE},         {"abc", FALSE, 0, FALSE},
      {"", FALSE, 0, FALSE},           {"4294967296", FALSE, 0, FALSE},
      {"4294967295", FALSE, 4294967295u, TRUE},
      {"-5", TRUE, static_cast<UINT>(-5), TRUE},
      {"  -2147483648", TRUE, 0x80000000u, TRUE},
      {"2147483648", TRUE, 0, FALSE},  {"-2147483649", TRUE, 0, FALSE},
      {"-", TRUE, 0, FALSE},           {"\t42", FALSE, 0, FALSE},
      {"123abc", FALSE, 123, FALSE},   {"42  ", FALSE, 42, TRUE},
  };
  for (const Row& row : rows) {
    SetDlgItemTextA(dialog_, 100, row.text);
    BOOL translated = 2;
    EXPECT_EQ(GetDlgItemInt(dialog_, 100, &translated, row.is_signed), row.value) << '"' << row.text << '"';
    EXPECT_EQ(translated, row.translated) << '"' << row.text << '"';
    EXPECT_EQ(GetDlgItemInt(dialog_, 100, nullptr, row.is_signed), row.value);
  }
  EXPECT_TRUE(SetDlgItemInt(dialog_, 100, static_cast<UINT>(-5), TRUE));
  char text[16];
  GetDlgItemTextA(dialog_, 100, text, sizeof text);
  EXPECT_STREQ(text, "-5");
  SetDlgItemInt(dialog_, 100, static_cast<UINT>(-5), FALSE);
  GetDlgItemTextA(dialog_, 100, text, sizeof text);
  EXPECT_STREQ(text, "4294967291");
  BOOL translated = TRUE;
  EXPECT_EQ(GetDlgItemInt(dialog_, 999, &translated, FALSE), 0u);
  EXPECT_FALSE(translated);
}

TEST_F(WindowData, TextsGoThroughTheTextMessages) {
  log().clear();
  EXPECT_TRUE(SetWindowTextA(dialog_, "Status: Not Running"));
  EXPECT_EQ(GetWindowTextLengthA(dialog_), 19);
  char small[7];
  EXPECT_EQ(GetWindowTextA(dialog_, small, sizeof small), 6);
  EXPECT_STREQ(small, "Status");
  EXPECT_TRUE(log().matches({{WM_SETTEXT, kProc}, {WM_GETTEXTLENGTH, kProc}, {WM_GETTEXT, kProc}}));
  EXPECT_TRUE(SetWindowTextA(dialog_, nullptr));
  EXPECT_EQ(GetWindowTextLengthA(dialog_), 0);
  EXPECT_EQ(GetWindowTextA(dialog_, nullptr, 10), 0);
}

TEST_F(WindowData, WindowLongsCoverFieldsAndExtraBytes) {
  EXPECT_EQ(GetWindowLongPtrA(edit_, GWLP_ID), 100);
  EXPECT_EQ(GetWindowLongPtrA(edit_, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(dialog_));
  EXPECT_EQ(GetWindowLongA(edit_, GWL_STYLE) & WS_CHILD, WS_CHILD);
  EXPECT_EQ(SetWindowLongPtrA(dialog_, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrA(dialog_, GWLP_USERDATA), 1234);
  // The logging class has 24 extra bytes: three pointer-sized dialog slots.
  EXPECT_EQ(SetWindowLongPtrA(dialog_, DWLP_USER, -7), 0);
  EXPECT_EQ(GetWindowLongPtrA(dialog_, DWLP_USER), -7);
  // The 32-bit form reaches the low half of the same little-endian slot.
  EXPECT_EQ(SetWindowLongPtrA(dialog_, DWLP_USER, 5), -7);
  EXPECT_EQ(SetWindowLongA(dialog_, DWLP_USER, 99), 5);
  EXPECT_EQ(GetWindowLongPtrA(dialog_, DWLP_USER), 99);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrA(dialog_, 17), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_EQ(GetWindowLongA(dialog_, GWLP_WNDPROC), 0);  // no 32-bit form for pointers
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  log().clear();
  LONG old = GetWindowLongA(dialog_, GWL_STYLE);
  EXPECT_EQ(SetWindowLongA(dialog_, GWL_STYLE, old | WS_VSCROLL), old);
  EXPECT_TRUE(log().matches({{WM_STYLECHANGING, kProc}, {WM_STYLECHANGED, kProc}}));
  EXPECT_EQ(GetWindowLongA(dialog_, GWL_STYLE), old | static_cast<LONG>(WS_VSCROLL));
}

TEST_F(WindowData, ClassesRegisterOnceAndStayWhileTheyHaveWindows) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "TestOnceOnly";
  wc.style = CS_DBLCLKS;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(6);
  ATOM atom = RegisterClassA(&wc);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(RegisterClassA(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  WNDCLASSA info{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "testonceonly", &info));  // names ignore case
  EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(6));
  HWND hwnd = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  char name[32];
  EXPECT_EQ(GetClassNameA(hwnd, name, sizeof name), 12);
  EXPECT_STREQ(name, "TestOnceOnly");
  EXPECT_EQ(FindWindowA("TestOnceOnly", nullptr), hwnd);
  EXPECT_FALSE(UnregisterClassA("TestOnceOnly", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(hwnd);
  EXPECT_TRUE(UnregisterClassA("TestOnceOnly", nullptr));
  EXPECT_FALSE(GetClassInfoA(nullptr, "TestOnceOnly", &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
  EXPECT_EQ(RegisterClassA(nullptr), 0);
}

TEST_F(WindowData, RelationsFollowZOrder) {
  HWND second = make_child(dialog_, 101);
  HWND third = make_child(dialog_, 102);
  EXPECT_EQ(GetWindow(dialog_, GW_CHILD), edit_);  // new children go to the bottom
  EXPECT_EQ(GetTopWindow(dialog_), edit_);
  EXPECT_EQ(GetWindow(edit_, GW_HWNDNEXT), second);
  EXPECT_EQ(GetWindow(third, GW_HWNDPREV), second);
  EXPECT_EQ(GetWindow(second, GW_HWNDFIRST), edit_);
  EXPECT_EQ(GetWindow(edit_, GW_HWNDLAST), third);
  EXPECT_EQ(GetWindow(third, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(edit_, GW_OWNER), nullptr);
  HWND top = make_top_level();
  EXPECT_EQ(GetTopWindow(nullptr), top);  // new top-level windows go to the top
  std::vector<HWND> seen;
  EnumChildWindows(dialog_, [](HWND h, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen, (std::vector<HWND>{edit_, second, third}));
  EXPECT_FALSE(IsChild(top, edit_));
  DestroyWindow(top);
}

TEST_F(WindowData, StaleHandlesFailEverywhere) {
  HWND stale = make_child(dialog_, 200);
  DestroyWindow(stale);
  const DWORD bad = ERROR_INVALID_WINDOW_HANDLE;
  auto check = [&](bool failed, const char* what) {
    EXPECT_TRUE(failed) << what;
    EXPECT_EQ(GetLastError(), bad) << what;
    SetLastError(0);
  };
  SetLastError(0);
  EXPECT_FALSE(IsWindow(stale));
  EXPECT_FALSE(IsWindow(nullptr));
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(0x12345678)));
  check(GetParent(stale) == nullptr, "GetParent");
  check(GetWindow(stale, GW_CHILD) == nullptr, "GetWindow");
  check(GetDlgItem(stale, 1) == nullptr, "GetDlgItem");
  check(GetDlgCtrlID(stale) == 0, "GetDlgCtrlID");
  check(!SetWindowTextA(stale, "x"), "SetWindowTextA");
  char buf[8] = "keep";
  check(GetWindowTextA(stale, buf, sizeof buf) == 0, "GetWindowTextA");
  check(GetWindowTextLengthA(stale) == 0, "GetWindowTextLengthA");
  check(GetWindowLongPtrA(stale, GWL_STYLE) == 0, "GetWindowLongPtrA");
  check(SetWindowLongPtrA(stale, GWLP_USERDATA, 1) == 0, "SetWindowLongPtrA");
  check(GetClassNameA(stale, buf, sizeof buf) == 0, "GetClassNameA");
  check(!DestroyWindow(stale), "DestroyWindow");
  check(!EnumChildWindows(stale, [](HWND, LPARAM) { return TRUE; }, 0), "EnumChildWindows");
  EXPECT_FALSE(IsChild(dialog_, stale));
  EXPECT_EQ(GetDlgItem(dialog_, 200), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
}

}  // namespace
