#include "batch/byte_window.h"

std::optional<std::span<const std::uint8_t>> ByteWindow::Slice(std::uint64_t offset,
                                                               std::uint64_t size) const {
  if (!Covers(offset, size)) return std::nullopt;
  return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

std::optional<std::uint16_t> ByteWindow::U16(std::uint64_t offset) const {
  auto b = Slice(offset, 2);
  if (!b) return std::nullopt;
  const auto& s = *b;
  return static_cast<std::uint16_t>(littleEndian_ ? s[0] | s[1] << 8 : s[0] << 8 | s[1]);
}

std::optional<std::uint32_t> ByteWindow::U32(std::uint64_t offset) const {
  auto b = Slice(offset, 4);
  if (!b) return std::nullopt;
  const auto& s = *b;
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    std::uint32_t byte = littleEndian_ ? s[3 - i] : s[i];
    v = v << 8 | byte;
  }
  return v;
}

std::optional<std::int32_t> ByteWindow::S32(std::uint64_t offset) const {
  auto v = U32(offset);
  if (!v) return std::nullopt;
  return static_cast<std::int32_t>(*v);  // two's complement since C++20
}
