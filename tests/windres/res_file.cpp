#include "res_file.h"

#include <cctype>

namespace windres_test {
namespace {

class Reader {
 public:
  explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  bool at_end() const { return pos_ >= bytes_.size(); }
  std::size_t pos() const { return pos_; }
  bool ok() const { return ok_; }

  std::uint16_t word() {
    if (pos_ + 2 > bytes_.size()) return fail();
    std::uint16_t value = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return value;
  }
  std::uint32_t dword() {
    std::uint32_t low = word();
    return low | (static_cast<std::uint32_t>(word()) << 16);
  }
  // A type or name: 0xFFFF and a number, or a null-terminated UTF-16 text (ASCII here).
  void name_or_id(std::string& name, std::uint16_t& id) {
    std::uint16_t first = word();
    if (first == 0xFFFF) {
      id = word();
      return;
    }
    for (std::uint16_t c = first; ok_ && c != 0; c = word()) {
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(c & 0x7F)));
    }
  }
  void align4(std::size_t from) {
    while ((pos_ - from) % 4 != 0 && pos_ < bytes_.size()) ++pos_;
  }
  std::vector<std::uint8_t> take(std::size_t count) {
    if (pos_ + count > bytes_.size()) {
      fail();
      return {};
    }
    std::vector<std::uint8_t> out(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                  bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + count));
    pos_ += count;
    return out;
  }

 private:
  std::uint16_t fail() {
    ok_ = false;
    pos_ = bytes_.size();
    return 0;
  }

  const std::vector<std::uint8_t>& bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

std::optional<std::vector<ResEntry>> read_res(const std::vector<std::uint8_t>& bytes) {
  std::vector<ResEntry> entries;
  Reader in(bytes);
  while (!in.at_end()) {
    const std::size_t start = in.pos();
    const std::uint32_t data_size = in.dword();
    const std::uint32_t header_size = in.dword();
    ResEntry entry;
    std::string type_name;
    in.name_or_id(type_name, entry.type);
    in.name_or_id(entry.name, entry.id);
    in.align4(start);
    in.dword();  // data version
    in.word();   // memory flags
    in.word();   // language
    in.dword();  // version
    in.dword();  // characteristics
    if (!in.ok() || in.pos() - start != header_size) return std::nullopt;
    entry.data = in.take(data_size);
    in.align4(start);
    if (!in.ok()) return std::nullopt;
    const bool leading_empty = data_size == 0 && entry.type == 0 && type_name.empty();
    if (!leading_empty && type_name.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace windres_test
