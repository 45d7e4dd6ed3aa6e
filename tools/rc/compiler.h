// The resource compiler: a resource script in, the resources in Win32 binary form out.
// Understood: MENU (POPUP, MENUITEM, SEPARATOR), DIALOG (STYLE, EXSTYLE, CAPTION, FONT,
// MENU, CLASS, CONTROL), STRINGTABLE and ICON, with "#define NAME value" and numeric
// expressions joined by | + -. Everything else is refused with file:line: reason.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rc {

// Win32 resource type numbers.
enum ResourceType : std::uint16_t {
  kIcon = 3,
  kMenu = 4,
  kDialog = 5,
  kString = 6,
  kGroupIcon = 14,
};

struct CompiledResource {
  std::uint16_t type;
  std::string name;      // upper case; empty when the resource is numbered
  std::uint16_t id = 0;  // the number when name is empty
  std::vector<std::uint8_t> data;
};

// Reads a file the script names (an icon), relative to the script's folder. Returns
// false when it cannot be read, with the reason as the end of a sentence that starts
// with the file's name ("does not exist", "is a directory").
using FileReader =
    std::function<bool(const std::string& name, std::vector<std::uint8_t>& contents, std::string& reason)>;

// Compiles a whole script. Throws ScriptError at the first fault.
std::vector<CompiledResource> compile_script(const std::string& text, const std::string& file_name,
                                             const FileReader& read_file);

// A FileReader that reads regular files of at most kMaxInputFileBytes from the host file
// system, relative to the given folder.
FileReader folder_reader(const std::string& folder);

}  // namespace rc
