// What the disk tests share: a fixture with drive T: on a fresh folder and drive U: on a
// folder that does not exist, checks of the texts, and the stand-ins that attack or end a
// disk test from outside (a thread swapping the scratch name, a process killed mid-write).
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>

class DiskBench : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  int FilesLeft() const;
  std::uintmax_t ScratchFileSize() const;
  // Removes the links a NameSwapper left behind.
  void RemoveLinks() const;

  std::filesystem::path folder_;
};

// Every number 1 ... FFFF of a temporary name.
constexpr int kScratchNames = 0xFFFF;
// Makes every name GetTempFileNameA could give with the disk test's prefix in `folder`.
void OccupyEveryScratchName(const std::filesystem::path& folder);

// Files named as the disk test's scratch files ("qzt....tmp") directly in `folder`.
int CountScratchNames(const std::filesystem::path& folder);

bool IsWholeNumber(const std::string& text);
bool EndsWith(const std::string& text, const std::string& end);
// "Total Disk test time " then seconds, a point, two digits and " s".
bool IsDiskTotalText(const std::string& text);
std::string ReadWhole(const std::filesystem::path& file);

// The state that makes the runtime's next rand() return `draw`.
unsigned SeedForNextDraw(int draw);
std::uint32_t DrawsAfter(std::uint32_t state, int draws);

// How fast this machine copies 4096-byte blocks in memory, in Kbyte/s.
double MemoryCopyKbytesPerSecond();

// While alive, a thread replaces every scratch file that appears in `folder` with a link
// to `target` the moment it sees it.
class NameSwapper {
 public:
  NameSwapper(std::filesystem::path folder, std::filesystem::path target);
  ~NameSwapper();

 private:
  void Run();
  std::filesystem::path folder_;
  std::filesystem::path target_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Starts a process that runs sequential write phases on drive T: (mapped to `folder`),
// sends it SIGTERM once its scratch file is being written, and tells whether it died of
// the signal leaving no scratch file behind.
bool ChildKilledInWritePhaseLeavesNothing(const std::filesystem::path& folder);
