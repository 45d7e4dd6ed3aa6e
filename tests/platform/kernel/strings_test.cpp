#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win32.h"

namespace {

TEST(Strings, LstrHelpersTolerateNull) {
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrlenA("abc"), 3);
  EXPECT_EQ(lstrcmpiA("AfxWnd", "afxwnd"), 0);
  EXPECT_LT(lstrcmpiA("abc", "ABD"), 0);
  EXPECT_GT(lstrcmpiA("abcd", "ABC"), 0);
  EXPECT_LT(lstrcmpiA(nullptr, "a"), 0);
  EXPECT_GT(lstrcmpiA("a", nullptr), 0);
  EXPECT_EQ(lstrcmpiA(nullptr, nullptr), 0);
  EXPECT_NE(lstrcmpA("abc", "ABC"), 0);

  char buffer[16] = "x";
  EXPECT_EQ(lstrcpyA(buffer, "ab"), buffer);
  EXPECT_EQ(lstrcatA(buffer, "cd"), buffer);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(lstrcpyA(nullptr, "ab"), nullptr);
  EXPECT_EQ(lstrcatA(buffer, nullptr), nullptr);
  EXPECT_STREQ(buffer, "abcd");
}

TEST(Wsprintf, FormatsWithWin32ArgumentSizes) {
  char out[1100];
  EXPECT_EQ(wsprintfA(out, "Afx:%x", 0x0Bu), 5);
  EXPECT_STREQ(out, "Afx:b");
  wsprintfA(out, "Afx:%x:%x:%x:%x", 0x2000u, 0x10005u, 0u, 0xABCDEF12u);
  EXPECT_STREQ(out, "Afx:2000:10005:0:abcdef12");
  // 'l' is 32 bits on Win32: a DWORD passed for %lu must print as itself.
  wsprintfA(out, "%lu|%ld|%lX|%hd|%hu", DWORD{4000000000u}, LONG{-5}, DWORD{0xBEEF}, 70000, 70000);
  EXPECT_STREQ(out, "4000000000|-5|BEEF|4464|4464");
  wsprintfA(out, "[%5d][%-4s][%03u][%c][%s][%I64d][%%]", 42, "ab", 7u, 'Q', static_cast<const char*>(nullptr),
            -1234567890123LL);
  EXPECT_STREQ(out, "[   42][ab  ][007][Q][(null)][-1234567890123][%]");
}

TEST(Wsprintf, StopsAt1024CharactersIncludingTheTerminator) {
  std::string long_text(2000, 'z');
  char out[2100];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(wsprintfA(out, "a%sb", long_text.c_str()), 1023);
  EXPECT_EQ(std::strlen(out), 1023u);
  EXPECT_EQ(out[1024], '#');
}

TEST(Modules, TheExecutableAndTheSystemModules) {
  HMODULE self = GetModuleHandleA(nullptr);
  EXPECT_NE(self, nullptr);
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(self, path, sizeof path);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(path[0], '/');
  EXPECT_EQ(std::strlen(path), length);
  EXPECT_EQ(GetModuleFileNameA(nullptr, path, sizeof path), length);

  // A buffer too small gets the truncated, terminated name and its own size.
  char small[5];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::strlen(small), 4u);

  std::string base = std::strrchr(path, '/') + 1;
  EXPECT_EQ(GetModuleHandleA(base.c_str()), self);
  EXPECT_NE(GetModuleHandleA("KERNEL32.DLL"), nullptr);
  EXPECT_EQ(GetModuleHandleA("USER"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(GetModuleHandleA("USER"), MAKEINTRESOURCEA(291)), nullptr);
  EXPECT_EQ(GetProcAddress(GetModuleHandleA("user32"), "SetWindowsHookExA"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

  // NT: bit 31 clear; major 4 in the low byte.
  DWORD version = GetVersion();
  EXPECT_EQ(version & 0x80000000u, 0u);
  EXPECT_EQ(LOBYTE(LOWORD(version)), 4);
}

}  // namespace
