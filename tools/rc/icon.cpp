// ICON "file.ico" -> one RT_ICON per image in the file (the image bytes as they are) and
// an RT_GROUP_ICON directory naming them. The file's 16-byte directory entries end in a
// file offset; the group's 14-byte entries end in the RT_ICON id instead.
#include <cstring>

#include "byte_writer.h"
#include "parser.h"

namespace rc {
namespace {

constexpr std::size_t kIconDirectorySize = 6;
constexpr std::size_t kIconFileEntrySize = 16;
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::uint16_t kIconResourceType = 1;

std::uint16_t word_at(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
std::uint32_t dword_at(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return word_at(bytes, at) | (static_cast<std::uint32_t>(word_at(bytes, at + 2)) << 16);
}

struct IconImage {
  std::uint8_t width, height, color_count;
  std::uint16_t planes, bit_count;
  std::vector<std::uint8_t> data;
};

// Returns an empty list with a reason when the file is not an icon file we can use.
std::vector<IconImage> read_icon_file(const std::vector<std::uint8_t>& file, std::string& reason) {
  if (file.size() < kIconDirectorySize || word_at(file, 0) != 0 || word_at(file, 2) != kIconResourceType) {
    reason = "is not an icon file";
    return {};
  }
  std::size_t count = word_at(file, 4);
  if (count == 0 || file.size() < kIconDirectorySize + count * kIconFileEntrySize) {
    reason = "has a damaged icon directory";
    return {};
  }
  std::vector<IconImage> images;
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t entry = kIconDirectorySize + i * kIconFileEntrySize;
    std::uint32_t size = dword_at(file, entry + 8);
    std::uint32_t offset = dword_at(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset || size < kBitmapInfoHeaderSize) {
      reason = "has image " + std::to_string(i + 1) + " outside the file";
      return {};
    }
    if (dword_at(file, offset) != kBitmapInfoHeaderSize) {
      reason = "has image " + std::to_string(i + 1) + " that is not a device-independent bitmap";
      return {};
    }
    IconImage image{file[entry], file[entry + 1], file[entry + 2], word_at(file, entry + 4), word_at(file, entry + 6),
                    std::vector<std::uint8_t>(file.begin() + offset, file.begin() + offset + size)};
    // Old files leave planes and depth 0 in the directory; the bitmap header knows them.
    if (image.planes == 0) image.planes = word_at(image.data, 12);
    if (image.bit_count == 0) image.bit_count = word_at(image.data, 14);
    images.push_back(std::move(image));
  }
  return images;
}

}  // namespace

std::vector<CompiledResource> parse_icon(Parser& parser, const Parser::Name& name, const FileReader& read_file,
                                         std::uint16_t& next_icon_id) {
  parser.skip_memory_options();
  Token at = parser.peek();
  std::string file_name = parser.quoted("icon file name");
  std::vector<std::uint8_t> file;
  std::string reason;
  if (file_name.empty()) parser.fail_at(at, "icon file name is empty");
  if (!read_file(file_name, file, reason)) parser.fail_at(at, "icon file " + file_name + " " + reason);
  std::vector<IconImage> images = read_icon_file(file, reason);
  if (images.empty()) parser.fail_at(at, "icon file " + file_name + " " + reason);

  std::vector<CompiledResource> resources;
  ByteWriter group;
  group.word(0);
  group.word(kIconResourceType);
  group.word(static_cast<std::uint16_t>(images.size()));
  for (IconImage& image : images) {
    if (next_icon_id == 0xFFFF) parser.fail_at(at, "too many icon images");
    std::uint16_t id = next_icon_id++;
    group.byte(image.width);
    group.byte(image.height);
    group.byte(image.color_count);
    group.byte(0);
    group.word(image.planes);
    group.word(image.bit_count);
    group.dword(static_cast<std::uint32_t>(image.data.size()));
    group.word(id);
    resources.push_back(CompiledResource{kIcon, "", id, std::move(image.data)});
  }
  resources.push_back(CompiledResource{kGroupIcon, name.text, name.id, group.take()});
  return resources;
}

}  // namespace rc
