#pragma once
// A read-only view of untrusted bytes that cannot be read outside. Every read
// names a position and a length; a range wholly or partly outside the bytes
// gives nothing, never a partial result. Positions are 64-bit so that an
// origin plus a 32-bit offset from a file cannot wrap around.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

class BoundedBytes {
 public:
  BoundedBytes() = default;
  explicit BoundedBytes(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t size() const { return data_.size(); }
  std::span<const std::uint8_t> all() const { return data_; }

  // Whether [pos, pos + length) lies wholly inside. An empty range lies inside
  // when it starts at or before the end.
  bool Contains(std::uint64_t pos, std::uint64_t length) const {
    return pos <= data_.size() && length <= data_.size() - pos;
  }

  // The one gate every read passes.
  std::optional<std::span<const std::uint8_t>> Slice(std::uint64_t pos,
                                                     std::uint64_t length) const {
    if (!Contains(pos, length)) return std::nullopt;
    return data_.subspan(static_cast<std::size_t>(pos), static_cast<std::size_t>(length));
  }

  std::optional<std::uint8_t> U8(std::uint64_t pos) const {
    auto s = Slice(pos, 1);
    if (!s) return std::nullopt;
    return (*s)[0];
  }

  std::optional<std::uint16_t> U16(std::uint64_t pos, bool littleEndian) const {
    auto s = Slice(pos, 2);
    if (!s) return std::nullopt;
    const auto& b = *s;
    return littleEndian ? static_cast<std::uint16_t>(b[0] | (b[1] << 8))
                        : static_cast<std::uint16_t>((b[0] << 8) | b[1]);
  }

  std::optional<std::uint32_t> U32(std::uint64_t pos, bool littleEndian) const {
    auto s = Slice(pos, 4);
    if (!s) return std::nullopt;
    const auto& b = *s;
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint32_t byte = b[littleEndian ? 3 - i : i];
      v = (v << 8) | byte;
    }
    return v;
  }

 private:
  std::span<const std::uint8_t> data_;
};
