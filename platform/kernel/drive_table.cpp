// The drive table and the translation of Win32 paths into host paths.
#include "kernel/drive_table.h"
#include "win32_test_kernel.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string_view>
#include <sys/stat.h>

namespace win32::kernel {
namespace {

constexpr char kDrivesVariable[] = "TORVEX_DRIVES";

// Mounts that are not places to keep files: kernel interfaces and per-boot scratch.
constexpr const char* kSkippedMountPrefixes[] = {"/proc", "/sys", "/dev", "/run", "/boot"};

bool is_directory(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string absolute_directory(const std::string& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return path;
  std::string text = absolute.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string environment_or(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

// /proc/self/mounts escapes blanks and a few other bytes as \ooo.
std::string unescape_mount_path(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
      out += static_cast<char>(std::strtol(text.substr(i + 1, 3).c_str(), nullptr, 8));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::string> writable_mount_points() {
  std::vector<std::string> points;
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mount_point, type, options;
    if (!(fields >> device >> mount_point >> type >> options)) continue;
    mount_point = unescape_mount_path(mount_point);
    bool skipped = false;
    for (const char* prefix : kSkippedMountPrefixes) {
      std::string p = prefix;
      if (mount_point == p || mount_point.rfind(p + "/", 0) == 0) skipped = true;
    }
    if (skipped || options.rfind("rw", 0) != 0) continue;
    if (!is_directory(mount_point) || ::access(mount_point.c_str(), W_OK) != 0) continue;
    points.push_back(mount_point);
  }
  return points;
}

void add_drive(std::vector<Drive>& drives, char letter, const std::string& directory) {
  drives.push_back(Drive{letter, absolute_directory(directory)});
}

std::vector<Drive> default_drives() {
  std::vector<Drive> drives;
  add_drive(drives, 'a', environment_or("TMPDIR", "/tmp"));
  if (const char* home = std::getenv("HOME"); home && *home) add_drive(drives, 'b', home);
  std::error_code error;
  add_drive(drives, 'c', std::filesystem::current_path(error).string());
  char letter = 'd';
  for (const std::string& point : writable_mount_points()) {
    if (letter > 'z') break;
    std::string directory = absolute_directory(point);
    bool known = false;
    for (const Drive& drive : drives) known = known || drive.directory == directory;
    if (known) continue;
    drives.push_back(Drive{letter++, directory});
  }
  return drives;
}

// "c=/tmp/x;d=/mnt/y": each entry a letter, '=', a directory. Bad entries are reported
// and skipped; the rest of the table still stands.
std::vector<Drive> drives_from_variable(const std::string& text) {
  std::vector<Drive> drives;
  std::istringstream entries(text);
  std::string entry;
  while (std::getline(entries, entry, ';')) {
    if (entry.empty()) continue;
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(entry[0])));
    if (entry.size() < 3 || entry[1] != '=' || letter < 'a' || letter > 'z') {
      std::fprintf(stderr, "%s: ignoring malformed entry \"%s\" (expected letter=directory)\n", kDrivesVariable,
                   entry.c_str());
      continue;
    }
    std::erase_if(drives, [letter](const Drive& d) { return d.letter == letter; });
    add_drive(drives, letter, entry.substr(2));
  }
  std::sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
  return drives;
}

struct DriveTable {
  std::mutex mutex;
  bool loaded = false;
  std::vector<Drive> drives;
};

DriveTable& table() {
  static auto* instance = new DriveTable;
  return *instance;
}

std::vector<Drive> load_drives() {
  const char* variable = std::getenv(kDrivesVariable);
  return variable ? drives_from_variable(variable) : default_drives();
}

// The table, loaded on first use. REQUIRES: t.mutex held.
const std::vector<Drive>& loaded_drives(DriveTable& t) {
  if (!t.loaded) {
    t.drives = load_drives();
    t.loaded = true;
  }
  return t.drives;
}

// Appends the drive's directory to `path`; false for a letter the table lacks. Every
// file call translates a path, so this copies the one directory, not the table.
bool append_drive_directory(char letter, std::string& path) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  DriveTable& t = table();
  std::lock_guard lock(t.mutex);
  for (const Drive& drive : loaded_drives(t)) {
    if (drive.letter == letter) {
      path += drive.directory;
      return true;
    }
  }
  return false;
}

bool is_separator(char c) { return c == '/' || c == '\\'; }

// Appends the components of `rest` (either separator) to `path`, which holds a drive's
// root, resolving "." and ".." so the result never climbs above that root, as Win32
// does. A trailing separator names a directory ("c:\dir\") and is kept for the caller.
void append_inside_root(std::string& path, std::string_view rest) {
  const std::size_t root_length = path.size();
  bool any = false;
  std::size_t begin = 0;
  while (begin < rest.size()) {
    std::size_t end = begin;
    while (end < rest.size() && !is_separator(rest[end])) ++end;
    std::string_view part = rest.substr(begin, end - begin);
    begin = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      // Back to the previous component's separator, never into the root.
      std::size_t cut = path.rfind('/');
      path.resize(cut != std::string::npos && cut >= root_length ? cut : root_length);
      continue;
    }
    if (path.empty() || path.back() != '/') path += '/';
    path.append(part);
    any = true;
  }
  if (any && path.size() > root_length && !rest.empty() && is_separator(rest.back())) path += '/';
}

}  // namespace

std::vector<Drive> drive_list() {
  DriveTable& t = table();
  std::lock_guard lock(t.mutex);
  return loaded_drives(t);
}

void reload_drive_table() {
  std::vector<Drive> drives = load_drives();
  DriveTable& t = table();
  std::lock_guard lock(t.mutex);
  t.drives = std::move(drives);
  t.loaded = true;
}

HostPath to_host_path(const char* win32_path) {
  if (win32_path == nullptr || *win32_path == '\0') return HostPath{{}, ERROR_PATH_NOT_FOUND};
  std::string_view path = win32_path;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return HostPath{{}, ERROR_BAD_NETPATH};
  HostPath host;
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    host.path.reserve(64 + path.size());
    if (!append_drive_directory(path[0], host.path)) return HostPath{{}, ERROR_PATH_NOT_FOUND};
    append_inside_root(host.path, path.substr(2));
    return host;
  }
  host.path.assign(path);
  for (char& c : host.path)
    if (c == '\\') c = '/';
  return host;
}

}  // namespace win32::kernel

using namespace win32::kernel;

DWORD WINAPI GetLogicalDrives() {
  DWORD mask = 0;
  for (const Drive& drive : drive_list()) mask |= 1u << (drive.letter - 'a');
  return mask;
}

UINT WINAPI GetDriveTypeA(LPCSTR lpRootPathName) {
  // Null means the current directory's drive; every drive here is a directory on a
  // local file system.
  if (lpRootPathName == nullptr) return DRIVE_FIXED;
  std::string path = lpRootPathName;
  if (path.size() < 2 || path[1] != ':') return DRIVE_NO_ROOT_DIR;
  HostPath host = to_host_path(path.substr(0, 2).c_str());
  if (host.error != NO_ERROR || !is_directory(host.path)) return DRIVE_NO_ROOT_DIR;
  return DRIVE_FIXED;
}

// A drive's target is what this system keeps behind the letter: its host directory (on
// Windows, the volume's device path). Both answers are multi-strings: each entry ends in a
// zero and one more zero ends the list. Null asks for the list of device names.
DWORD WINAPI QueryDosDeviceA(LPCSTR lpDeviceName, LPSTR lpTargetPath, DWORD ucchMax) {
  std::string list;
  if (lpDeviceName == nullptr) {
    for (const Drive& drive : drive_list()) {
      list += static_cast<char>(std::toupper(static_cast<unsigned char>(drive.letter)));
      list += ":";
      list += '\0';
    }
  } else {
    std::string name = lpDeviceName;
    std::string directory;
    if (name.size() != 2 || name[1] != ':' || !append_drive_directory(name[0], directory)) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return 0;
    }
    list = directory + '\0';
  }
  list += '\0';
  if (lpTargetPath == nullptr || list.size() > ucchMax) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  list.copy(lpTargetPath, list.size());
  return static_cast<DWORD>(list.size());
}

void win32_test::reload_drive_table() { win32::kernel::reload_drive_table(); }
