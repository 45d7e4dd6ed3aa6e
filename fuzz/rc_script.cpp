#include <cstring>
#include <string>
#include <vector>

#include "compiler.h"
#include "cpp_emitter.h"
#include "fuzz_entries.h"
#include "script_error.h"

namespace fuzz {

void rc_script(const std::uint8_t* data, std::size_t size) {
  if (size == 0) data = reinterpret_cast<const std::uint8_t*>("");
  const auto* begin = reinterpret_cast<const char*>(data);
  const char* nul = static_cast<const char*>(std::memchr(begin, 0, size));
  std::string script(begin, nul ? nul : begin + size);
  std::vector<std::uint8_t> file;
  if (nul) file.assign(reinterpret_cast<const std::uint8_t*>(nul) + 1, data + size);
  rc::FileReader reader = [&](const std::string&, std::vector<std::uint8_t>& contents, std::string& reason) {
    if (!nul) {
      reason = "does not exist";
      return false;
    }
    contents = file;
    return true;
  };
  try {
    auto resources = rc::compile_script(script, "fuzz.rc", reader);
    std::string source = rc::emit_cpp(resources, "fuzz.rc");
    (void)source;
  } catch (const rc::ScriptError&) {
    // A refused script is the expected outcome for most inputs; anything else escapes.
  }
}

}  // namespace fuzz
