#include "exif/exif_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/memory_poison.h"
#include "platform/raw_file.h"

void ExifReader::Reset() {
  // Never filled with zeros: only the bytes read are ever seen.
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(exif::kReadBufferSize);
  platform::MarkReadable(buffer_.get(), exif::kReadBufferSize);
  bytes_ = BoundedBytes();
  origin_ = 0;
  littleEndian_ = false;
}

void ExifReader::Show(std::size_t size) {
  bytes_ = BoundedBytes(std::span<const std::uint8_t>(buffer_.get(), size));
  // The rest may hold an earlier photo's bytes; sanitizer builds report any read of them.
  platform::MarkUnreadable(buffer_.get() + size, exif::kReadBufferSize - size);
}

bool ExifReader::Load(const std::string& path) {
  Reset();
  auto got = platform::ReadHeadInto(path, std::span(buffer_.get(), exif::kReadBufferSize));
  Show(got.value_or(0));
  return got.has_value();
}

void ExifReader::LoadBytes(const std::uint8_t* data, std::size_t size) {
  Reset();
  size = std::min(size, exif::kReadBufferSize);
  if (size > 0) std::memmove(buffer_.get(), data, size);  // data may lie in the buffer itself
  Show(size);
}

bool ExifReader::FindExifBlock() {
  for (std::size_t p = 0; p < exif::kExifSearchEnd; ++p) {
    if (bytes_.U8(p) == 0xFF && bytes_.U8(p + 1) == 0xE1) {
      origin_ = p + 10;
      littleEndian_ = bytes_.U8(origin_) == 'I' && bytes_.U8(origin_ + 1) == 'I';
      return true;
    }
  }
  return false;
}

std::optional<std::uint16_t> ExifReader::ReadU16(std::uint32_t offset) const {
  return bytes_.U16(std::uint64_t{origin_} + offset, littleEndian_);
}

std::optional<std::uint32_t> ExifReader::ReadU32(std::uint32_t offset) const {
  return bytes_.U32(std::uint64_t{origin_} + offset, littleEndian_);
}

std::optional<std::uint32_t> ExifReader::ReadDirectory(std::uint32_t offset,
                                                       ExifDirectory& table) const {
  table.clear();
  const std::uint64_t at = std::uint64_t{origin_} + offset;
  auto count = bytes_.U16(at, littleEndian_);
  if (!count) return std::nullopt;
  // A directory partly outside the bytes read is missing as a whole.
  if (!bytes_.Contains(at + 2, 12 * std::uint64_t{*count})) return std::nullopt;
  const std::size_t decoded = std::min<std::size_t>(*count, exif::kMaxDirectoryEntries);
  for (std::size_t i = 0; i < decoded; ++i) {
    const std::uint64_t pos = at + 2 + 12 * std::uint64_t{i};
    table.push_back({*bytes_.U16(pos, littleEndian_), *bytes_.U16(pos + 2, littleEndian_),
                     *bytes_.U32(pos + 4, littleEndian_), *bytes_.U32(pos + 8, littleEndian_)});
  }
  return bytes_.U32(at + 2 + 12 * std::uint64_t{*count}, littleEndian_);
}

const ExifEntry* ExifReader::FindTag(const ExifDirectory& table, std::uint16_t tag) {
  for (auto it = table.rbegin(); it != table.rend(); ++it)
    if (it->tag == tag) return &*it;
  return nullptr;
}

std::optional<std::span<const std::uint8_t>> ExifReader::ValueBytes(const ExifEntry& entry) const {
  if (entry.count == 0) return std::span<const std::uint8_t>();
  return bytes_.Slice(std::uint64_t{origin_} + entry.value, entry.count);
}

std::optional<std::string> ExifReader::ValueText(const ExifEntry& entry) const {
  auto value = ValueBytes(entry);
  if (!value) return std::nullopt;
  auto end = std::find(value->begin(), value->end(), std::uint8_t{0});
  return std::string(value->begin(), end);
}

std::optional<std::uint32_t> ExifReader::Ifd0Offset() const { return ReadU32(4); }

std::optional<std::uint32_t> ExifReader::ExifIfdOffset() const {
  auto ifd0 = Ifd0Offset();
  if (!ifd0) return std::nullopt;
  ExifDirectory table;
  ReadDirectory(*ifd0, table);
  const ExifEntry* pointer = FindTag(table, exif::kTagExifIfdPointer);
  if (!pointer) return std::nullopt;
  return pointer->value;
}

std::optional<std::uint32_t> ExifReader::Ifd1Offset() const {
  auto ifd0 = Ifd0Offset();
  if (!ifd0) return std::nullopt;
  auto count = ReadU16(*ifd0);
  if (!count) return std::nullopt;
  auto next =
      bytes_.U32(std::uint64_t{origin_} + *ifd0 + 2 + 12 * std::uint64_t{*count}, littleEndian_);
  if (!next || *next == 0) return std::nullopt;
  return next;
}
