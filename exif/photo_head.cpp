#include "exif/photo_head.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/memory_poison.h"

void PhotoHead::Reset() {
  // Never filled with zeros: only the bytes read are ever seen.
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(exif::kReadBufferSize);
  platform::MarkUnreadable(buffer_.get(), exif::kReadBufferSize);
  file_.reset();
  read_ = 0;
}

bool PhotoHead::Load(const std::string& path) {
  Reset();
  auto file = platform::RawReader::Open(path);
  if (!file) return false;
  file_.emplace(std::move(*file));
  return ReadBlocks(exif::kFirstReadSize);
}

void PhotoHead::LoadBytes(const std::uint8_t* data, std::size_t size) {
  // data may lie in the buffer itself: make it readable before moving it.
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(exif::kReadBufferSize);
  file_.reset();
  size = std::min(size, exif::kReadBufferSize);
  platform::MarkReadable(buffer_.get(), exif::kReadBufferSize);
  if (size > 0) std::memmove(buffer_.get(), data, size);
  platform::MarkUnreadable(buffer_.get() + size, exif::kReadBufferSize - size);
  read_ = size;
}

bool PhotoHead::ReadBlocks(std::uint64_t end) const {
  const std::uint64_t blocks = (end + exif::kReadBlockSize - 1) / exif::kReadBlockSize;
  const std::uint64_t upTo = read_ == 0 ? end : blocks * exif::kReadBlockSize;
  const std::size_t want =
      static_cast<std::size_t>(std::min<std::uint64_t>(exif::kReadBufferSize, upTo));
  std::uint8_t* at = buffer_.get() + read_;
  platform::MarkReadable(at, want - read_);
  auto got = file_->Read(std::span(at, want - read_));
  const std::size_t n = got.value_or(0);
  platform::MarkUnreadable(at + n, want - read_ - n);
  read_ += n;
  if (!got || read_ < want || read_ == exif::kReadBufferSize) file_.reset();
  return got.has_value();
}

bool PhotoHead::Reach(std::uint64_t end) const {
  if (end > read_ && end <= exif::kReadBufferSize && file_) ReadBlocks(end);
  return end <= read_;
}

std::optional<std::span<const std::uint8_t>> PhotoHead::Slice(std::uint64_t pos,
                                                              std::uint64_t length) const {
  if (pos > exif::kReadBufferSize || length > exif::kReadBufferSize - pos) return std::nullopt;
  if (!Reach(pos + length)) return std::nullopt;
  return std::span<const std::uint8_t>(buffer_.get() + pos, static_cast<std::size_t>(length));
}

std::optional<std::uint8_t> PhotoHead::U8(std::uint64_t pos) const {
  auto byte = Slice(pos, 1);
  if (!byte) return std::nullopt;
  return (*byte)[0];
}

std::span<const std::uint8_t> PhotoHead::All() const {
  Reach(exif::kReadBufferSize);
  return std::span<const std::uint8_t>(buffer_.get(), read_);
}
