#include "disk_test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <win32_test_kernel.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "engine/disknt.h"

namespace fs = std::filesystem;

void DiskBench::SetUp() {
  folder_ = fs::temp_directory_path() /
            ("torvex-disk-" + std::to_string(::getpid()) + "-" +
             testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(folder_);
  fs::create_directories(folder_);
  std::string drives = "t=" + folder_.string() + ";u=" + (folder_ / "missing").string();
  ::setenv("TORVEX_DRIVES", drives.c_str(), 1);
  win32_test::reload_drive_table();
}

void DiskBench::TearDown() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
  ::unsetenv("TORVEX_DRIVES");
  win32_test::reload_drive_table();
}

int DiskBench::FilesLeft() const {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) ++count;
  return count;
}

std::uintmax_t DiskBench::ScratchFileSize() const {
  for (const auto& entry : fs::directory_iterator(folder_)) return entry.file_size();
  return 0;
}

void OccupyEveryScratchName(const fs::path& folder) {
  for (int number = 1; number <= kScratchNames; ++number) {
    char name[32];
    std::snprintf(name, sizeof name, "qzt%X.tmp", number);
    int descriptor = ::open((folder / name).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor >= 0) ::close(descriptor);
  }
}

void DiskBench::RemoveLinks() const {
  for (const auto& entry : fs::directory_iterator(folder_))
    if (entry.is_symlink()) fs::remove(entry.path());
}

int CountScratchNames(const fs::path& folder) {
  int count = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::string name = entry.path().filename().string();
    if (name.rfind("qzt", 0) == 0 && EndsWith(name, ".tmp")) ++count;
  }
  return count;
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsDiskTotalText(const std::string& text) {
  const std::string head = "Total Disk test time ";
  std::size_t point = text.find('.');
  if (text.rfind(head, 0) != 0 || point == std::string::npos || point == head.size()) return false;
  return IsWholeNumber(text.substr(head.size(), point - head.size())) && text.size() == point + 5 &&
         IsWholeNumber(text.substr(point + 1, 2)) && text.substr(point + 3) == " s";
}

std::string ReadWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

unsigned SeedForNextDraw(int draw) {
  // The generator's step run backwards: 214013 is odd, so it has an inverse modulo 2^32.
  std::uint32_t inverse = 1;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
  std::uint32_t next = static_cast<std::uint32_t>(draw) << 16;
  return (next - 2531011u) * inverse;
}

std::uint32_t DrawsAfter(std::uint32_t state, int draws) {
  for (int i = 0; i < draws; ++i) state = state * 214013u + 2531011u;
  return state;
}

double MemoryCopyKbytesPerSecond() {
  constexpr int kCopies = 20000;
  std::vector<unsigned char> from(kDiskBlockSize, 0x6D);
  std::vector<unsigned char> to(kDiskBlockSize);
  unsigned sum = 0;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCopies; ++i) {
    from[static_cast<std::size_t>(i) % kDiskBlockSize] = static_cast<unsigned char>(i);
    std::memcpy(to.data(), from.data(), kDiskBlockSize);
    sum += to[static_cast<std::size_t>(i * 7) % kDiskBlockSize];
  }
  std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  if (sum == 0xFFFFFFFFu) std::puts("");  // keeps the copies observable
  return static_cast<double>(kCopies) * kDiskBlockSize / seconds.count() / 1000.0;
}

NameSwapper::NameSwapper(fs::path folder, fs::path target)
    : folder_(std::move(folder)), target_(std::move(target)), thread_([this] { Run(); }) {}

NameSwapper::~NameSwapper() {
  stop_ = true;
  thread_.join();
}

void NameSwapper::Run() {
  while (!stop_) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
      std::string name = entry.path().filename().string();
      if (name.rfind("qzt", 0) != 0 || entry.is_symlink(error)) continue;
      if (::unlink(entry.path().c_str()) == 0) fs::create_symlink(target_, entry.path(), error);
    }
  }
}

bool ChildKilledInWritePhaseLeavesNothing(const fs::path& folder) {
  pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    // Only the disk phases run here: no window, nothing another thread could have held.
    PrepareDiskTest(1024, "T:");
    diskio0();
    for (int pass = 0; pass < 100000; ++pass) diskio1();
    ::_exit(0);
  }
  bool writing = false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!writing && std::chrono::steady_clock::now() < deadline) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
      if (entry.file_size(error) > 0) writing = true;
    if (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ::kill(child, writing ? SIGTERM : SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  return writing && WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM && CountScratchNames(folder) == 0;
}
