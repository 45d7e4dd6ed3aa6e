// make_seeds RESOURCES_FOLDER CORPUS_FOLDER: writes the fuzzers' seed corpora from our own
// resource script (resources/torvex.rc and its icon), one folder per fuzz target. Run by
// `make fuzz-seeds`; the seeds are kept in the repository so CI needs no extra step.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "compiler.h"
#include "input_file.h"
#include "script_error.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void write(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes with_selector(std::uint8_t selector, const Bytes& bytes) {
  Bytes out{selector};
  out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

std::string name_of(const rc::CompiledResource& r) { return r.name.empty() ? std::to_string(r.id) : r.name; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s RESOURCES_FOLDER CORPUS_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path resources = argv[1], corpus = argv[2];
  Bytes script, icon;
  std::string reason;
  if (!rc::read_input_file((resources / "torvex.rc").string(), rc::kMaxInputFileBytes, script, reason) ||
      !rc::read_input_file((resources / "quirvel.ico").string(), rc::kMaxInputFileBytes, icon, reason)) {
    std::fprintf(stderr, "%s: cannot read the program's resources: %s\n", argv[1], reason.c_str());
    return 1;
  }
  std::vector<rc::CompiledResource> compiled;
  try {
    compiled = rc::compile_script(std::string(script.begin(), script.end()), "torvex.rc",
                                  rc::folder_reader(resources.string()));
  } catch (const rc::ScriptError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }

  Bytes with_icon = script;
  with_icon.push_back(0);
  with_icon.insert(with_icon.end(), icon.begin(), icon.end());
  write(corpus / "rc_script", "torvex.rc", with_icon);
  Bytes crlf;
  for (std::uint8_t c : script) {
    if (c == '\n') crlf.push_back('\r');
    crlf.push_back(c);
  }
  write(corpus / "rc_script", "torvex-crlf.rc", crlf);

  for (const rc::CompiledResource& r : compiled) {
    switch (r.type) {
      case rc::kDialog: write(corpus / "dialog_template", name_of(r), r.data); break;
      case rc::kMenu: write(corpus / "menu_template", name_of(r), r.data); break;
      case rc::kGroupIcon: {
        write(corpus / "resource_image", "group-icon-" + name_of(r), with_selector(3, r.data));
        Bytes cursor_group = r.data;
        cursor_group[2] = 2;  // the same directory read as a cursor group
        write(corpus / "resource_image", "group-cursor-" + name_of(r), with_selector(4, cursor_group));
        break;
      }
      case rc::kIcon: {
        write(corpus / "resource_image", "icon-" + name_of(r), with_selector(0, r.data));
        write(corpus / "resource_image", "created-icon-" + name_of(r), with_selector(5, r.data));
        Bytes cursor{16, 0, 16, 0};  // hotspot
        cursor.insert(cursor.end(), r.data.begin(), r.data.end());
        write(corpus / "resource_image", "cursor-" + name_of(r), with_selector(1, cursor));
        // The colour half alone as a bitmap: the header's double height halved.
        Bytes dib = r.data;
        if (dib.size() >= 12) dib[8] = static_cast<std::uint8_t>(dib[8] / 2);
        write(corpus / "resource_image", "bitmap-" + name_of(r), with_selector(2, dib));
        break;
      }
      default: break;
    }
  }
  return 0;
}
