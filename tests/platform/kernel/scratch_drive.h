// A fresh host directory mapped as drive C: (and another as Q:) for one test, through
// TORVEX_DRIVES and the test hook that rebuilds the drive table.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "win32.h"
#include "win32_test_kernel.h"

class ScratchDrive : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "torvex-kernel-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    std::filesystem::create_directory(root_ / "q");
    std::string drives = "c=" + root_.string() + ";q=" + (root_ / "q").string();
    ::setenv("TORVEX_DRIVES", drives.c_str(), 1);
    win32_test::reload_drive_table();
  }

  void TearDown() override {
    ::unsetenv("TORVEX_DRIVES");
    win32_test::reload_drive_table();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // The host path of a file on drive C:.
  std::filesystem::path host(const std::string& name) const { return root_ / name; }

  std::string read_host_file(const std::string& name) const {
    std::ifstream in(host(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  void write_host_file(const std::string& name, const std::string& contents) const {
    std::ofstream(host(name), std::ios::binary) << contents;
  }

  std::filesystem::path root_;
};
