// The shooting date and camera model that "other.js" summarises, read within
// the bytes of the photo's head.
#include "site/photo_facts.h"

#include <gtest/gtest.h>

#include "tests/support/exif_builder.h"

namespace {

using fixture::Order;

constexpr std::uint16_t kModel = 0x0110;
constexpr std::uint16_t kDate = 0x9003;

ExifReader Read(const fixture::ExifJpeg& jpeg) {
  auto bytes = jpeg.Build();
  ExifReader reader;
  reader.LoadBytes(bytes.data(), bytes.size());
  EXPECT_TRUE(reader.FindExifBlock());
  return reader;
}

fixture::ExifJpeg Photo(Order order, const std::string& model, const std::string& date) {
  fixture::ExifJpeg jpeg(order);
  jpeg.ifd0.push_back(fixture::Ascii(kModel, model));
  jpeg.exif.push_back(fixture::Ascii(kDate, date));
  return jpeg;
}

TEST(PhotoFacts, DateDropsTheTimeAndModelKeepsTrailingBlanksInEitherByteOrder) {
  for (Order order : {Order::kLittle, Order::kBig}) {
    ExifReader reader = Read(Photo(order, "Canon EOS 40D   ", "2003:08:03 09:05:00"));
    EXPECT_EQ(site::ShootingDateText(reader), "2003.08.03");
    EXPECT_EQ(site::ModelText(reader), "Canon EOS 40D   ");
  }
}

TEST(PhotoFacts, DateSeparatorsBecomeDotsWhateverTheyWere) {
  ExifReader reader = Read(Photo(Order::kLittle, "X", "2003-08/03 09:05:00"));
  EXPECT_EQ(site::ShootingDateText(reader), "2003.08.03");
}

TEST(PhotoFacts, DateEndsAtItsFirstZeroByte) {
  fixture::ExifJpeg jpeg;
  jpeg.exif.push_back(fixture::AsciiBytes(kDate, std::string("2003:0\0:03 09:05:00", 20)));
  EXPECT_EQ(site::ShootingDateText(Read(jpeg)), "2003.0");
}

TEST(PhotoFacts, AShortDateValueStillGivesTheTenBytesAtItsOffset) {
  // Count 4, stored out of line: the ten bytes at the offset are taken all the same.
  fixture::ExifJpeg jpeg;
  jpeg.exif.push_back(fixture::AsciiBytes(kDate, "2003").OutOfLine());
  jpeg.blobs.push_back({0x200, {'2', '0', '0', '4', ':', '0', '1', ':', '0', '2'}});
  jpeg.exif.back().At(0x200);
  EXPECT_EQ(site::ShootingDateText(Read(jpeg)), "2004.01.02");
}

TEST(PhotoFacts, MissingTagsGiveEmptyTexts) {
  fixture::ExifJpeg noExifIfd;
  noExifIfd.ifd0.push_back(fixture::Long(0x0100, 640));
  ExifReader a = Read(noExifIfd);
  EXPECT_EQ(site::ShootingDateText(a), "");
  EXPECT_EQ(site::ModelText(a), "");

  fixture::ExifJpeg noDate;
  noDate.ifd0.push_back(fixture::Ascii(kModel, "Model"));
  noDate.exif.push_back(fixture::Long(0x9000, 0x30323230));
  ExifReader b = Read(noDate);
  EXPECT_EQ(site::ShootingDateText(b), "");
  EXPECT_EQ(site::ModelText(b), "Model");
}

TEST(PhotoFacts, ValuesOutsideTheBytesReadAreMissingAsAWhole) {
  // A date whose value runs past the end of the bytes read, though its first
  // ten bytes are inside: missing.
  fixture::ExifJpeg longDate;
  longDate.exif.push_back(fixture::Ascii(kDate, "2003:08:03 09:05:00").WithCount(60000));
  EXPECT_EQ(site::ShootingDateText(Read(longDate)), "");

  // Offsets far outside, and one that would wrap around 32 bits.
  for (std::uint32_t offset : {0x10000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
    fixture::ExifJpeg far;
    far.ifd0.push_back(fixture::Raw(kModel, 2, 8, offset));
    far.exif.push_back(fixture::Raw(kDate, 2, 20, offset));
    ExifReader reader = Read(far);
    EXPECT_EQ(site::ShootingDateText(reader), "") << offset;
    EXPECT_EQ(site::ModelText(reader), "") << offset;
  }
}

TEST(PhotoFacts, TheTenDateBytesMustLieInsideToo) {
  // A date value of count 2 at the very end of the photo: its own bytes are
  // inside, the ten taken are not.
  fixture::ExifJpeg jpeg;
  jpeg.exif.push_back(fixture::Raw(kDate, 2, 2, 0));
  jpeg.tail.clear();
  auto bytes = jpeg.Build();
  const std::uint32_t end = static_cast<std::uint32_t>(bytes.size() - jpeg.TiffOriginInFile());
  jpeg.exif.back() = fixture::Raw(kDate, 2, 2, end - 2);
  bytes = jpeg.Build();
  ExifReader reader;
  reader.LoadBytes(bytes.data(), bytes.size());
  ASSERT_TRUE(reader.FindExifBlock());
  EXPECT_EQ(site::ShootingDateText(reader), "");
}

TEST(PhotoFacts, LastEntryOfATagCounts) {
  fixture::ExifJpeg jpeg;
  jpeg.ifd0.push_back(fixture::Ascii(kModel, "First model"));
  jpeg.ifd0.push_back(fixture::Ascii(kModel, "Second model"));
  jpeg.exif.push_back(fixture::Ascii(kDate, "2001:01:01 00:00:00"));
  jpeg.exif.push_back(fixture::Ascii(kDate, "2002:02:02 00:00:00"));
  ExifReader reader = Read(jpeg);
  EXPECT_EQ(site::ModelText(reader), "Second model");
  EXPECT_EQ(site::ShootingDateText(reader), "2002.02.02");
}

TEST(PhotoFacts, AShortModelIsStillFetchedAtItsValueFieldTakenAsAnOffset) {
  // "ABC" fits the value field; taken as an offset it points far outside.
  fixture::ExifJpeg inlineModel;
  inlineModel.ifd0.push_back(fixture::Ascii(kModel, "ABC"));
  EXPECT_EQ(site::ModelText(Read(inlineModel)), "");
  // Stored out of line, the same text is found.
  fixture::ExifJpeg outOfLine;
  outOfLine.ifd0.push_back(fixture::Ascii(kModel, "ABC").OutOfLine());
  EXPECT_EQ(site::ModelText(Read(outOfLine)), "ABC");
}

TEST(PhotoFacts, ModelIsNotCutToALength) {
  std::string model(300, 'M');
  ExifReader reader = Read(Photo(Order::kLittle, model, "2003:08:03 09:05:00"));
  EXPECT_EQ(site::ModelText(reader), model);
}

}  // namespace
