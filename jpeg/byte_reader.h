#pragma once
// Walks an in-memory JPEG stream: byte by byte through the marker segments and
// bit by bit through the entropy-coded data. Every read is checked against the
// end of the data here, so nothing built on it can read outside the input.
#include <cstddef>
#include <cstdint>

class CByteReader {
 public:
  // The reader does not own the data; the caller keeps them alive.
  CByteReader(const std::uint8_t* data, std::size_t size);

  // The next whole byte; the rest of a partly read byte is dropped first.
  std::uint8_t GetByte();
  // The next two whole bytes, big-endian.
  std::uint16_t GetWord();
  // Copies the next count whole bytes.
  void CopyByte(std::uint8_t* destination, std::size_t count);
  // Steps over count bytes; used at byte boundaries only.
  void SkipByte(std::size_t count);
  // The next n bits of entropy-coded data, most significant first; minus the
  // marker code when a marker is met on the way to a new byte. Stuffed zero
  // bytes after 0xFF are stepped over.
  std::int32_t GetBits(int n);
  // The address of the next whole byte, or null when none is left.
  const std::uint8_t* GetPosition() const;

  // Reader state, as the decoder's stages see it.
  bool HasData() const { return hasData_ != 0; }
  int BitPosition() const { return bitPosition_; }
  std::size_t Offset() const { return position_; }

 private:
  void MoveToNextByte();
  // The byte at index i; raises EBufferError naming the operation when i is
  // not inside the data.
  std::uint8_t ByteAt(std::size_t i, const char* operation) const;
  bool IsInside(std::size_t i) const { return i < size_; }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;  // index of the byte being read; never beyond size_
  int bitPosition_ = 7;       // 7 (most significant) down to 0; -1 when the byte is used up
  int stuffing_ = 1;          // 0 while the current byte is 0xFF followed by a stuffed 0x00
  int hasData_ = 1;           // 0 once position_ reaches the end
};
