#include "exif/tiff_view.h"

#include <algorithm>

#include "exif/bounded_bytes.h"

std::optional<std::span<const std::uint8_t>> TiffView::Bytes(std::uint64_t offset,
                                                             std::uint64_t length) const {
  if (!head_) return std::nullopt;
  return head_->Slice(origin_ + offset, length);
}

std::optional<std::uint16_t> TiffView::U16(std::uint64_t offset) const {
  auto bytes = Bytes(offset, 2);
  if (!bytes) return std::nullopt;
  return BoundedBytes(*bytes).U16(0, littleEndian_);
}

std::optional<std::uint32_t> TiffView::U32(std::uint64_t offset) const {
  auto bytes = Bytes(offset, 4);
  if (!bytes) return std::nullopt;
  return BoundedBytes(*bytes).U32(0, littleEndian_);
}

std::optional<std::uint32_t> TiffView::ReadDirectory(std::uint32_t offset,
                                                     ExifDirectory& table) const {
  table.clear();
  auto count = U16(offset);
  if (!count) return std::nullopt;
  // A directory partly outside the bytes read is missing as a whole.
  const std::uint64_t first = std::uint64_t{offset} + 2;
  auto entries = Bytes(first, 12 * std::uint64_t{*count});
  if (!entries) return std::nullopt;
  const BoundedBytes all(*entries);
  const std::size_t decoded = std::min<std::size_t>(*count, exif::kMaxDirectoryEntries);
  for (std::size_t i = 0; i < decoded; ++i) {
    const std::size_t at = 12 * i;
    table.push_back({*all.U16(at, littleEndian_), *all.U16(at + 2, littleEndian_),
                     *all.U32(at + 4, littleEndian_), *all.U32(at + 8, littleEndian_)});
  }
  return U32(first + 12 * std::uint64_t{*count});
}

std::optional<ExifEntry> TiffView::FindTag(const ExifDirectory& table, std::uint16_t tag) {
  for (auto it = table.rbegin(); it != table.rend(); ++it)
    if (it->tag == tag) return *it;
  return std::nullopt;
}

std::optional<std::span<const std::uint8_t>> TiffView::ValueBytes(const ExifEntry& entry) const {
  if (entry.count == 0) return std::span<const std::uint8_t>();
  return Bytes(entry.value, entry.count);
}

std::optional<std::string> TiffView::ValueText(const ExifEntry& entry) const {
  auto value = ValueBytes(entry);
  if (!value) return std::nullopt;
  auto end = std::find(value->begin(), value->end(), std::uint8_t{0});
  return std::string(value->begin(), end);
}
