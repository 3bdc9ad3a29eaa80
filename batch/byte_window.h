#pragma once
// A bounded view of the bytes read from a photo, counted from the TIFF origin.
// Every read names an offset and a length and gets nothing when any part of it
// lies outside the view, so no caller can index past the bytes read.
#include <cstdint>
#include <optional>
#include <span>

class ByteWindow {
 public:
  ByteWindow() = default;
  ByteWindow(std::span<const std::uint8_t> bytes, bool littleEndian)
      : bytes_(bytes), littleEndian_(littleEndian) {}

  // The same bytes read in another byte order.
  ByteWindow InOrder(bool littleEndian) const { return ByteWindow(bytes_, littleEndian); }

  bool littleEndian() const { return littleEndian_; }
  std::size_t size() const { return bytes_.size(); }

  // The size bytes at offset, or nothing when they do not all lie inside.
  std::optional<std::span<const std::uint8_t>> Slice(std::uint64_t offset,
                                                     std::uint64_t size) const;
  std::optional<std::uint16_t> U16(std::uint64_t offset) const;
  std::optional<std::uint32_t> U32(std::uint64_t offset) const;
  std::optional<std::int32_t> S32(std::uint64_t offset) const;

 private:
  bool Covers(std::uint64_t offset, std::uint64_t size) const {
    return offset <= bytes_.size() && size <= bytes_.size() - offset;
  }

  std::span<const std::uint8_t> bytes_;
  bool littleEndian_ = true;
};
