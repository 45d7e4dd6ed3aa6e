#include "bench/support/scratch_folder.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace bench {

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "torvex-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("bench: cannot make a scratch folder");
    std::exit(EXIT_FAILURE);
  }
  path_ = pattern;
  std::string drives = "t=" + path_.string();
  ::setenv("TORVEX_DRIVES", drives.c_str(), 1);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::size_t ScratchFolder::file_count() const {
  std::size_t count = 0;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator(path_, error); !error && it != std::filesystem::directory_iterator();
       it.increment(error))
    ++count;
  return count;
}

long long ScratchFolder::only_file_size() const {
  std::error_code error;
  long long size = -1;
  int files = 0;
  for (auto it = std::filesystem::directory_iterator(path_, error); !error && it != std::filesystem::directory_iterator();
       it.increment(error)) {
    ++files;
    std::error_code size_error;
    auto bytes = it->file_size(size_error);
    size = size_error ? -1 : static_cast<long long>(bytes);
  }
  return files == 1 ? size : -1;
}

}  // namespace bench
