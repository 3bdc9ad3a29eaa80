#include "jpeg/byte_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "jpeg/decoder_errors.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The operation an EBufferError names, or "" when f raised none.
template <typename F>
std::string BufferErrorOf(F f) {
  try {
    f();
  } catch (const EBufferError& e) {
    return e.operation;
  }
  return "";
}

TEST(ByteReader, GetByteAfterPartlyReadByteTakesTheFollowingByte) {
  Bytes data = {0xA5, 0x3C, 0x77};
  CByteReader r(data.data(), data.size());
  EXPECT_EQ(r.GetBits(3), 0b101);
  EXPECT_EQ(r.GetByte(), 0x3C);
  EXPECT_EQ(r.GetByte(), 0x77);
}

TEST(ByteReader, GetWordIsBigEndian) {
  Bytes data = {0x12, 0x34, 0xFF};
  CByteReader r(data.data(), data.size());
  EXPECT_EQ(r.GetWord(), 0x1234);
}

TEST(ByteReader, GetBitsStepsOverTheStuffedZero) {
  Bytes data = {0x0F, 0xFF, 0x00, 0x80};
  CByteReader r(data.data(), data.size());
  EXPECT_EQ(r.GetBits(8), 0x0F);
  EXPECT_EQ(r.GetBits(8), 0xFF);
  EXPECT_EQ(r.GetBits(8), 0x80);
}

TEST(ByteReader, GetBitsAcrossStuffedByteBoundary) {
  Bytes data = {0x01, 0xFF, 0x00, 0x80};
  CByteReader r(data.data(), data.size());
  EXPECT_EQ(r.GetBits(4), 0x0);
  EXPECT_EQ(r.GetBits(16), 0x1FF8);  // 0001 1111 1111 1000
}

TEST(ByteReader, StuffedZeroAfterTheFirstByteOfTheDataIsSteppedOverToo) {
  // The first byte is read without a move; its stuffed zero must still be skipped.
  Bytes data = {0xFF, 0x00, 0x80};
  CByteReader r(data.data(), data.size());
  EXPECT_EQ(r.GetBits(16), 0xFF80);
}

TEST(ByteReader, GetBitsMeetingAMarkerReturnsItsNegativeCode) {
  Bytes data = {0xAB, 0xFF, 0xD0, 0x12};
  CByteReader r(data.data(), data.size());
  EXPECT_EQ(r.GetBits(8), 0xAB);
  EXPECT_EQ(r.GetBits(1), -0xD0);
  // The reader stays on the 0xFF, so the marker can be read again.
  EXPECT_EQ(r.GetPosition(), data.data() + 1);
  EXPECT_EQ(r.GetByte(), 0xFF);
  EXPECT_EQ(r.GetByte(), 0xD0);
}

TEST(ByteReader, GetBitsOfZeroOrLessIsZero) {
  Bytes data = {0xFF};
  CByteReader r(data.data(), data.size());
  EXPECT_EQ(r.GetBits(0), 0);
  EXPECT_EQ(r.GetBits(-3), 0);
  EXPECT_EQ(r.GetPosition(), data.data());
}

TEST(ByteReader, GetPositionAfterWholeAndPartlyReadBytes) {
  Bytes data = {1, 2, 3, 4, 5};
  CByteReader r(data.data(), data.size());
  EXPECT_EQ(r.GetPosition(), data.data());
  r.GetWord();
  EXPECT_EQ(r.GetPosition(), data.data() + 2);
  r.GetBits(3);
  EXPECT_EQ(r.GetPosition(), data.data() + 3);
}

TEST(ByteReader, GetPositionAfterAPartlyReadLastByteIsTheEnd) {
  Bytes data = {0x80};
  CByteReader r(data.data(), data.size());
  r.GetBits(2);
  EXPECT_EQ(r.GetPosition(), data.data() + 1);
  EXPECT_TRUE(r.HasData());
}

TEST(ByteReader, SkipByteToExactlyTheEndThenGetByteFails) {
  Bytes data = {1, 2, 3, 4};
  CByteReader r(data.data(), data.size());
  r.GetWord();
  r.SkipByte(2);
  EXPECT_FALSE(r.HasData());
  EXPECT_EQ(BufferErrorOf([&] { r.GetByte(); }), "GetByte");
}

TEST(ByteReader, CopyByteCopiesAndRealigns) {
  Bytes data = {0xF0, 'a', 'b', 'c'};
  CByteReader r(data.data(), data.size());
  r.GetBits(4);
  std::uint8_t out[3] = {};
  r.CopyByte(out, 3);
  EXPECT_EQ(std::memcmp(out, "abc", 3), 0);
  EXPECT_FALSE(r.HasData());
}

// Each operation that would read past the end raises EBufferError with its
// own name, also when a realignment or a second byte lands on the end.
TEST(ByteReader, ReadsPastTheEndRaiseBufferErrorsNamingTheOperation) {
  Bytes one = {0x12};
  Bytes two = {0x12, 0x34};
  struct Case {
    const char* what;
    Bytes data;
    std::function<void(CByteReader&)> run;
    const char* operation;
  };
  const Case cases[] = {
      {"GetByte on empty data", one, [](CByteReader& r) { r.GetByte(), r.GetByte(); }, "GetByte"},
      {"GetByte realigning onto the end", one, [](CByteReader& r) { r.GetBits(1), r.GetByte(); },
       "GetByte"},
      {"GetWord with one byte left", one, [](CByteReader& r) { r.GetWord(); }, "GetWord"},
      {"GetWord realigning", two, [](CByteReader& r) { r.GetBits(1), r.GetWord(); }, "GetWord"},
      {"CopyByte past the end", two,
       [](CByteReader& r) {
         std::uint8_t out[3];
         r.CopyByte(out, 3);
       },
       "CopyByte"},
      {"SkipByte past the end", two, [](CByteReader& r) { r.SkipByte(3); }, "SkipByte"},
      {"SkipByte of a huge count", two, [](CByteReader& r) { r.SkipByte(~std::size_t{0}); },
       "SkipByte"},
      {"GetBits past the end", one, [](CByteReader& r) { r.GetBits(9); }, "GetBits"},
      {"GetBits onto a final 0xFF", Bytes{0x00, 0xFF}, [](CByteReader& r) { r.GetBits(9); },
       "GetBits"},
  };
  for (const Case& c : cases) {
    CByteReader r(c.data.data(), c.data.size());
    EXPECT_EQ(BufferErrorOf([&] { c.run(r); }), c.operation) << c.what;
  }
}

TEST(ByteReader, EmptyDataHasNothingToRead) {
  CByteReader r(nullptr, 0);
  EXPECT_FALSE(r.HasData());
  EXPECT_EQ(BufferErrorOf([&] { r.GetByte(); }), "GetByte");
  EXPECT_EQ(BufferErrorOf([&] { r.GetBits(1); }), "GetBits");
  EXPECT_EQ(r.GetPosition(), nullptr);
}

}  // namespace
