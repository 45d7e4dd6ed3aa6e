// The machine a result was measured on, as the system reports it, so two saved results
// can be told apart. Reading never fails: what the system does not say stays empty.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cli {

struct DriveInfo {
  std::string letter;      // "c:"
  std::string directory;   // what the drive letter stands for on this system
  std::string fileSystem;  // "ext4", "tmpfs", ...; empty when unknown
  std::string device;      // the mounted source, "/dev/sda1"; empty when unknown
  bool inMemory = false;   // tmpfs or ramfs: no device behind it
};

struct MachineInfo {
  std::string cpu;
  int logicalCores = 0;
  int onlineCores = 0;
  std::uint64_t memoryBytes = 0;
  std::string os;      // "Debian GNU/Linux 12 (bookworm)"
  std::string kernel;  // "Linux 6.1.0-18-amd64 x86_64"
  DriveInfo drive;
};

// The whole record; `driveLetter` is "c:".
MachineInfo ReadMachineInfo(const std::string& driveLetter);

// The pieces, over the text of the system files, so they can be checked with samples.
std::string CpuModelFrom(std::string_view cpuinfo);
std::uint64_t MemoryBytesFrom(std::string_view meminfo);
std::string OsNameFrom(std::string_view osRelease);
// The mount (type and source) that holds `directory`: the longest mount point above it.
void MountOf(std::string_view mountinfo, const std::string& directory, DriveInfo& drive);
bool IsInMemoryFileSystem(std::string_view type);
// "tmpfs" or "ramfs" for the file system type statfs reports; empty for any other.
std::string InMemoryFileSystemOfType(long type);

}  // namespace cli
