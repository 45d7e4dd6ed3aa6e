#include "listbox_dir.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "kernel/drive_table.h"

namespace win32::user {
namespace {

// '*' and '?' against a name, without regard to case; "*.*" matches every name, as on
// Windows, even one without a dot.
bool wildcard_match(const char* pattern, const char* name) {
  if (std::strcmp(pattern, "*.*") == 0) return true;
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') return wildcard_match(pattern + 1, name) || (*name && wildcard_match(pattern, name + 1));
  if (*name == '\0') return false;
  if (*pattern != '?' && std::tolower(static_cast<unsigned char>(*pattern)) != std::tolower(static_cast<unsigned char>(*name)))
    return false;
  return wildcard_match(pattern + 1, name + 1);
}

struct SplitSpec {
  std::string directory;  // Win32 form, "" for the current directory
  std::string pattern;
};

SplitSpec split_spec(const char* spec) {
  std::string text = spec && *spec ? spec : "*.*";
  size_t cut = text.find_last_of("\\/:");
  if (cut == std::string::npos) return {"", text};
  std::string pattern = text.substr(cut + 1);
  return {text.substr(0, cut + 1), pattern.empty() ? "*.*" : pattern};
}

struct Entry {
  std::string name;
  bool directory;
};

std::vector<Entry> read_directory(const std::string& win32_directory) {
  std::vector<Entry> entries;
  std::string host = ".";
  if (!win32_directory.empty()) {
    kernel::HostPath path = kernel::to_host_path(win32_directory.c_str());
    if (path.error != NO_ERROR) return entries;
    host = path.path;
  }
  DIR* dir = opendir(host.c_str());
  if (!dir) return entries;
  while (dirent* e = readdir(dir)) {
    if (std::strcmp(e->d_name, ".") == 0) continue;
    struct stat info;
    std::string full = host + "/" + e->d_name;
    if (::stat(full.c_str(), &info) != 0) continue;
    entries.push_back({e->d_name, S_ISDIR(info.st_mode)});
  }
  closedir(dir);
  return entries;
}

int add(HWND listbox, const std::string& text) {
  return static_cast<int>(SendMessageA(listbox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

}  // namespace

int fill_directory_list(HWND listbox, UINT attributes, const char* file_spec) {
  int last = LB_ERR;
  SplitSpec spec = split_spec(file_spec);
  bool exclusive = (attributes & DDL_EXCLUSIVE) != 0;
  bool list_directories = (attributes & DDL_DIRECTORY) != 0;
  if (!exclusive || list_directories) {
    for (const Entry& e : read_directory(spec.directory)) {
      if (e.directory) {
        if (list_directories) last = add(listbox, "[" + e.name + "]");
      } else if (!exclusive && wildcard_match(spec.pattern.c_str(), e.name.c_str())) {
        last = add(listbox, e.name);
      }
    }
  }
  if (attributes & DDL_DRIVES) {
    for (const kernel::Drive& d : kernel::drive_list()) last = add(listbox, std::string("[-") + d.letter + "-]");
  }
  return last;
}

}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI DlgDirSelectExA(HWND hdlg, LPSTR buffer, int capacity, int listbox_id) {
  HWND listbox = GetDlgItem(hdlg, listbox_id);
  if (!listbox) return FALSE;
  LRESULT selection = SendMessageA(listbox, LB_GETCURSEL, 0, 0);
  if (selection == LB_ERR) return FALSE;
  LRESULT length = SendMessageA(listbox, LB_GETTEXTLEN, static_cast<WPARAM>(selection), 0);
  if (length == LB_ERR) return FALSE;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(listbox, LB_GETTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  std::string result;
  BOOL is_container = TRUE;
  if (text.size() == 5 && text.compare(0, 2, "[-") == 0 && text.compare(3, 2, "-]") == 0) {
    result = std::string(1, text[2]) + ":";
  } else if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
    result = text.substr(1, text.size() - 2) + "\\";
  } else {
    result = text;
    if (result.find('.') == std::string::npos) result += '.';
    is_container = FALSE;
  }
  if (buffer && capacity > 0) {
    size_t n = std::min(result.size(), static_cast<size_t>(capacity - 1));
    std::memcpy(buffer, result.data(), n);
    buffer[n] = '\0';
  }
  return is_container;
}

int WINAPI DlgDirListA(HWND hdlg, LPSTR path_spec, int listbox_id, int static_id, UINT file_type) {
  if (listbox_id) {
    HWND listbox = GetDlgItem(hdlg, listbox_id);
    if (!listbox) return FALSE;
    SendMessageA(listbox, LB_RESETCONTENT, 0, 0);
    SendMessageA(listbox, LB_DIR, file_type, reinterpret_cast<LPARAM>(path_spec ? path_spec : "*.*"));
  }
  if (static_id) {
    SplitSpec spec = split_spec(path_spec);
    if (!spec.directory.empty()) SetDlgItemTextA(hdlg, static_id, spec.directory.c_str());
  }
  return TRUE;
}
