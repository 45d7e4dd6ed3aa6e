// Linux answers: /proc/cpuinfo, /proc/meminfo, /etc/os-release, uname and the mount table.
// The drive's directory comes from the program's own platform through QueryDosDeviceA,
// the Win32 call that tells what a drive letter stands for.
#include "cli/machine_info.h"

#include <sys/statfs.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <win32.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace cli {
namespace {

std::string ReadFile(const char* path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Trim(std::string_view text) {
  std::size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return "";
  std::size_t end = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(begin, end - begin + 1));
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// "key<blanks>: value" lines, as /proc/cpuinfo and /proc/meminfo write them.
std::string ValueOf(std::string_view text, std::string_view key) {
  for (std::string_view line : Lines(text)) {
    std::size_t colon = line.find(':');
    if (colon != std::string_view::npos && Trim(line.substr(0, colon)) == key) return Trim(line.substr(colon + 1));
  }
  return "";
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// Mount table fields escape blanks and a few other bytes as \ooo.
std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && IsOctal(text[i + 1]) && IsOctal(text[i + 2]) && IsOctal(text[i + 3])) {
      out += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool IsBelow(const std::string& directory, const std::string& mountPoint) {
  if (mountPoint == "/") return true;
  return directory == mountPoint ||
         (directory.size() > mountPoint.size() && directory.compare(0, mountPoint.size(), mountPoint) == 0 &&
          directory[mountPoint.size()] == '/');
}

std::string DriveDirectory(const std::string& letter) {
  char target[4096];
  DWORD length = QueryDosDeviceA(letter.c_str(), target, sizeof target);
  return length ? std::string(target) : std::string();
}

}  // namespace

std::string CpuModelFrom(std::string_view cpuinfo) {
  // x86 names it "model name"; some other processors only "Hardware" or "cpu model".
  for (const char* key : {"model name", "cpu model", "Hardware", "Processor"}) {
    std::string value = ValueOf(cpuinfo, key);
    if (!value.empty()) return value;
  }
  return "";
}

std::uint64_t MemoryBytesFrom(std::string_view meminfo) {
  std::string value = ValueOf(meminfo, "MemTotal");  // "16318272 kB"
  std::uint64_t kilobytes = 0;
  for (char c : value) {
    if (c < '0' || c > '9') break;
    kilobytes = kilobytes * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return kilobytes * 1024;
}

std::string OsNameFrom(std::string_view osRelease) {
  for (std::string_view line : Lines(osRelease)) {
    if (line.substr(0, 12) != "PRETTY_NAME=") continue;
    std::string value = Trim(line.substr(12));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return "";
}

void MountOf(std::string_view mountinfo, const std::string& directory, DriveInfo& drive) {
  // mountinfo: id parent major:minor root mount-point options [optional...] - type source opts
  std::size_t best = 0;
  for (std::string_view line : Lines(mountinfo)) {
    std::istringstream fields{std::string(line)};
    std::string id, parent, numbers, root, point;
    if (!(fields >> id >> parent >> numbers >> root >> point)) continue;
    std::string word, type, source;
    while (fields >> word && word != "-") {
    }
    if (!(fields >> type >> source)) continue;
    point = Unescape(point);
    // Later mounts over the same point hide earlier ones, so ">=" keeps the last.
    if (IsBelow(directory, point) && point.size() >= best) {
      best = point.size();
      drive.fileSystem = type;
      drive.device = Unescape(source);
    }
  }
  drive.inMemory = IsInMemoryFileSystem(drive.fileSystem);
}

bool IsInMemoryFileSystem(std::string_view type) { return type == "tmpfs" || type == "ramfs"; }

std::string InMemoryFileSystemOfType(long type) {
  // The kernel's magic numbers for the two (linux/magic.h).
  constexpr long kTmpfs = 0x01021994;
  constexpr long kRamfs = static_cast<long>(0x858458f6);
  if (type == kTmpfs) return "tmpfs";
  if (type == kRamfs) return "ramfs";
  return "";
}

MachineInfo ReadMachineInfo(const std::string& driveLetter) {
  MachineInfo info;
  info.cpu = CpuModelFrom(ReadFile("/proc/cpuinfo"));
  info.logicalCores = static_cast<int>(::sysconf(_SC_NPROCESSORS_CONF));
  info.onlineCores = static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN));
  info.memoryBytes = MemoryBytesFrom(ReadFile("/proc/meminfo"));
  info.os = OsNameFrom(ReadFile("/etc/os-release"));
  struct utsname name;
  if (::uname(&name) == 0) info.kernel = std::string(name.sysname) + " " + name.release + " " + name.machine;
  info.drive.letter = driveLetter;
  info.drive.directory = DriveDirectory(driveLetter);
  if (!info.drive.directory.empty()) {
    // The mount table holds real paths; the drive's directory may pass through links.
    std::error_code error;
    std::filesystem::path real = std::filesystem::canonical(info.drive.directory, error);
    MountOf(ReadFile("/proc/self/mountinfo"), error ? info.drive.directory : real.string(), info.drive);
    // The directory's own file system settles it, whatever the mount table's paths say
    // (a bind mount or another root can hide where a folder really lives).
    struct statfs system;
    if (::statfs(info.drive.directory.c_str(), &system) == 0) {
      std::string inMemory = InMemoryFileSystemOfType(static_cast<long>(system.f_type));
      info.drive.inMemory = !inMemory.empty();
      if (info.drive.inMemory && !IsInMemoryFileSystem(info.drive.fileSystem)) info.drive.fileSystem = inMemory;
    }
  }
  return info;
}

}  // namespace cli
