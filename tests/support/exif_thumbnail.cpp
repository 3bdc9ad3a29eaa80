#include "tests/support/exif_thumbnail.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/temp_gallery.h"

namespace {

// Reads integers of either byte order; nothing outside the block.
class Block {
 public:
  Block(const std::uint8_t* data, std::size_t size, bool bigEndian)
      : data_(data), size_(size), big_(bigEndian) {}
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= size_ && count <= size_ - offset;
  }
  std::optional<std::uint32_t> U16(std::size_t at) const {
    if (!Has(at, 2)) return std::nullopt;
    return big_ ? (data_[at] << 8) | data_[at + 1] : data_[at] | (data_[at + 1] << 8);
  }
  std::optional<std::uint32_t> U32(std::size_t at) const {
    auto hi = U16(big_ ? at : at + 2), lo = U16(big_ ? at + 2 : at);
    if (!hi || !lo) return std::nullopt;
    return (*hi << 16) | *lo;
  }
  const std::uint8_t* data() const { return data_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  bool big_;
};

std::optional<ByteVector> ThumbnailInTiff(const std::uint8_t* tiff, std::size_t size) {
  if (size < 8) return std::nullopt;
  bool big = tiff[0] == 'M';
  Block b(tiff, size, big);
  auto ifd0 = b.U32(4);
  if (!ifd0) return std::nullopt;
  auto count0 = b.U16(*ifd0);
  if (!count0) return std::nullopt;
  auto ifd1 = b.U32(*ifd0 + 2 + 12 * std::size_t(*count0));
  if (!ifd1 || *ifd1 == 0) return std::nullopt;
  auto count1 = b.U16(*ifd1);
  if (!count1) return std::nullopt;
  std::optional<std::uint32_t> offset, length;
  for (std::uint32_t i = 0; i < *count1; ++i) {
    std::size_t entry = *ifd1 + 2 + 12 * std::size_t(i);
    auto tag = b.U16(entry), type = b.U16(entry + 2);
    if (!tag || !type) return std::nullopt;
    auto value = *type == 3 ? b.U16(entry + 8) : b.U32(entry + 8);
    if (*tag == 0x0201) offset = value;
    if (*tag == 0x0202) length = value;
  }
  if (!offset || !length || !b.Has(*offset, *length) || *length == 0) return std::nullopt;
  return ByteVector(tiff + *offset, tiff + *offset + *length);
}

}  // namespace

std::optional<ByteVector> EmbeddedThumbnail(const ByteVector& photo) {
  Block file(photo.data(), photo.size(), true);
  std::size_t at = 2;  // after SOI
  while (file.Has(at, 4) && photo[at] == 0xFF) {
    std::uint8_t marker = photo[at + 1];
    std::uint32_t length = *file.U16(at + 2);
    if (marker == 0xDA || length < 2) break;
    static const std::uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
    if (marker == 0xE1 && file.Has(at + 4, length - 2) && length >= 8 &&
        std::equal(kExif, kExif + 6, photo.begin() + at + 4)) {
      return ThumbnailInTiff(photo.data() + at + 10, length - 8);
    }
    at += 2 + length;
  }
  return std::nullopt;
}

ByteVector ReadBinaryFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<SampleThumbnail> SampleThumbnails() {
  std::vector<SampleThumbnail> result;
  std::string dir = SamplesDir();
  if (dir.empty()) return result;
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".jpg") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  for (const auto& name : names) {
    if (auto thumb = EmbeddedThumbnail(ReadBinaryFile(dir + "/" + name)))
      result.push_back({name, std::move(*thumb)});
  }
  return result;
}
