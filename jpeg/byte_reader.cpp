#include "jpeg/byte_reader.h"

#include "jpeg/decoder_errors.h"

CByteReader::CByteReader(const std::uint8_t* data, std::size_t size)
    : data_(size > 0 ? data : nullptr), size_(data ? size : 0) {
  // An empty block has no data from the start.
  if (size_ == 0) hasData_ = 0;
}

void CByteReader::MoveToNextByte() {
  if (position_ < size_) ++position_;
  if (position_ >= size_) hasData_ = 0;
}

std::uint8_t CByteReader::ByteAt(std::size_t i, const char* operation) const {
  if (!IsInside(i)) throw EBufferError{operation};
  return data_[i];
}

std::uint8_t CByteReader::GetByte() {
  if (!hasData_) throw EBufferError{"GetByte"};
  if (bitPosition_ != 7) {
    MoveToNextByte();
    bitPosition_ = 7;
  }
  std::uint8_t b = ByteAt(position_, "GetByte");
  MoveToNextByte();
  stuffing_ = 1;
  return b;
}

std::uint16_t CByteReader::GetWord() {
  if (!hasData_) throw EBufferError{"GetWord"};
  if (bitPosition_ != 7) {
    MoveToNextByte();
    bitPosition_ = 7;
  }
  std::uint16_t high = ByteAt(position_, "GetWord");
  MoveToNextByte();
  std::uint16_t low = ByteAt(position_, "GetWord");
  MoveToNextByte();
  return static_cast<std::uint16_t>(high * 256 + low);
}

void CByteReader::CopyByte(std::uint8_t* destination, std::size_t count) {
  if (bitPosition_ != 7) {
    MoveToNextByte();
    bitPosition_ = 7;
  }
  if (count > size_ - position_) throw EBufferError{"CopyByte"};
  for (std::size_t i = 0; i < count; ++i) destination[i] = data_[position_ + i];
  position_ += count;
  if (position_ >= size_) hasData_ = 0;
}

void CByteReader::SkipByte(std::size_t count) {
  if (count > size_ - position_) throw EBufferError{"SkipByte"};
  position_ += count;
  if (position_ >= size_) hasData_ = 0;
}

std::int32_t CByteReader::GetBits(int n) {
  if (n <= 0) return 0;
  std::uint32_t result = 0;
  for (int i = 0; i < n; ++i) {
    if (bitPosition_ < 0) {
      bitPosition_ = 7;
      MoveToNextByte();
      if (stuffing_ == 0) {
        MoveToNextByte();  // the stuffed 0x00
        stuffing_ = 1;
      }
      if (ByteAt(position_, "GetBits") == 0xFF) {
        std::uint8_t next = ByteAt(position_ + 1, "GetBits");
        if (next != 0) return -static_cast<std::int32_t>(next);
        stuffing_ = 0;
      }
    } else if (bitPosition_ == 7 && stuffing_ == 1 && IsInside(position_ + 1) &&
               ByteAt(position_, "GetBits") == 0xFF && data_[position_ + 1] == 0) {
      // The first byte of a scan or of a restart interval is read without a
      // move; a stuffed 0xFF there still has its 0x00 stepped over.
      stuffing_ = 0;
    }
    int bit = (ByteAt(position_, "GetBits") >> bitPosition_) & 1;
    --bitPosition_;
    result = (result << 1) | static_cast<std::uint32_t>(bit);
  }
  return static_cast<std::int32_t>(result);
}

const std::uint8_t* CByteReader::GetPosition() const {
  if (bitPosition_ == 7) return data_ ? data_ + position_ : nullptr;
  if (position_ >= size_) return nullptr;
  return data_ + position_ + 1;
}
