// STRINGTABLE -> RT_STRING blocks. Strings live in blocks of 16, block number id/16 + 1;
// each of the 16 entries is a WORD length in UTF-16 units and that many units, with no
// terminator. Blocks without any string are not stored.
#include "byte_writer.h"
#include "parser.h"

namespace rc {
namespace {

constexpr std::uint16_t kStringsPerBlock = 16;
constexpr std::size_t kLongestString = 0xFFFF;

}  // namespace

void parse_string_table(Parser& parser, std::map<std::uint16_t, std::string>& strings) {
  parser.skip_memory_options();
  parser.expect_begin("of the string table");
  while (!parser.accept_end()) {
    if (parser.at_end()) parser.fail("missing END of the string table");
    Token at = parser.peek();
    std::uint16_t id = parser.word_value("string id");
    parser.accept(',');
    std::string text = parser.quoted("string");
    if (text.size() > kLongestString) parser.fail_at(at, "string " + std::to_string(id) + " is too long");
    if (!strings.emplace(id, text).second) parser.fail_at(at, "string id " + std::to_string(id) + " is used twice");
  }
}

std::vector<CompiledResource> build_string_blocks(const std::map<std::uint16_t, std::string>& strings) {
  std::vector<CompiledResource> blocks;
  auto next = strings.begin();
  while (next != strings.end()) {
    std::uint16_t block = next->first / kStringsPerBlock;
    ByteWriter out;
    for (std::uint16_t slot = 0; slot < kStringsPerBlock; ++slot) {
      auto found = strings.find(static_cast<std::uint16_t>(block * kStringsPerBlock + slot));
      if (found == strings.end()) {
        out.word(0);
        continue;
      }
      out.word(static_cast<std::uint16_t>(found->second.size()));
      out.utf16(found->second, false);
    }
    blocks.push_back(CompiledResource{kString, "", static_cast<std::uint16_t>(block + 1), out.take()});
    next = strings.lower_bound(static_cast<std::uint16_t>((block + 1) * kStringsPerBlock));
    if (block + 1 == 0x10000 / kStringsPerBlock) break;
  }
  return blocks;
}

}  // namespace rc
