// One photo's value texts from its Exif directories and maker's note: byte
// orders, types, bounds and the remembered maker.
#include "exif/photo_info.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "tests/exif/info_photos.h"

namespace {

using fixture::ExifJpeg;
using fixture::Order;

std::string Utf8(const std::string& sjis) { return platform::SjisToUtf8(sjis); }

InfoValueTexts ReadInfo(const ExifJpeg& jpeg, ShootingInfoMemory& memory) {
  std::vector<std::uint8_t> file = jpeg.Build();
  ExifReader reader;
  reader.LoadBytes(file.data(), file.size());
  EXPECT_TRUE(reader.FindExifBlock());
  InfoValueTexts texts;
  ReadPhotoInfo(reader, texts, memory);
  return texts;
}

fixture::Entry* Find(std::vector<fixture::Entry>& entries, std::uint16_t tag) {
  for (auto& e : entries)
    if (e.tag == tag) return &e;
  return nullptr;
}

TEST(PhotoInfo, ItemsOneToEighteenInEitherByteOrder) {
  for (Order order : {Order::kLittle, Order::kBig}) {
    ShootingInfoMemory memory;
    InfoValueTexts t = ReadInfo(info_test::Photo("Canon", "Canon PowerShot S40", order), memory);
    const char* expected[] = {
        nullptr,
        "Canon",
        "Canon PowerShot S40",
        "1/250秒",
        "F5.6",
        "200",
        "2.2",
        "2003/08/03 09:05:00",
        "2003/08/03 09:05:00",
        "Fine(2.0)",
        "1/256秒",
        "F5.7",
        "EV-0.7",
        "F2.8",
        "1.50m",
        "マルチセグメント",
        "50mm",
        "640",
        "480",
    };
    for (int item = 1; item <= 18; ++item)
      EXPECT_EQ(Utf8(t.item(item)), expected[item])
          << "item " << item << (order == Order::kBig ? " MM" : " II");
  }
}

TEST(PhotoInfo, OtherMakersRepeatExposureTimeAndFNumber) {
  ShootingInfoMemory memory;
  InfoValueTexts t = ReadInfo(info_test::Photo("NIKON CORPORATION", "NIKON D70"), memory);
  EXPECT_EQ(memory.maker, "NIKON CORPORATION");
  EXPECT_EQ(Utf8(t.item(10)), "1/250秒");
  EXPECT_EQ(t.item(11), "F5.6");
  // A Canon maker's note is not read for them.
  ExifJpeg withNote = info_test::Photo("NIKON", "D70");
  withNote.exif.push_back(info_test::CanonNote({0x0101}));
  t = ReadInfo(withNote, memory);
  for (int item = 19; item <= 41; ++item) EXPECT_EQ(t.item(item), "") << item;
  EXPECT_FALSE(memory.headerSet[1]);
}

TEST(PhotoInfo, ShortsFollowTheByteOrderLongsAreSigned) {
  for (Order order : {Order::kLittle, Order::kBig}) {
    ShootingInfoMemory memory;
    ExifJpeg jpeg = info_test::Photo("X", "Y", order);
    *Find(jpeg.exif, 0xA002) = fixture::Short(0xA002, 2272);
    *Find(jpeg.exif, 0xA003) = fixture::Long(0xA003, 0xFFFFFFFF);
    *Find(jpeg.exif, 0x9207) = fixture::Long(0x9207, 255);
    InfoValueTexts t = ReadInfo(jpeg, memory);
    EXPECT_EQ(t.item(5), "200");
    EXPECT_EQ(t.item(17), "2272");
    EXPECT_EQ(t.item(18), "-1");
    EXPECT_EQ(Utf8(t.item(15)), "その他");
  }
}

TEST(PhotoInfo, BrokenRationalsGiveNoText) {
  ShootingInfoMemory memory;
  ExifJpeg jpeg = info_test::Photo("Canon", "M");
  *Find(jpeg.exif, 0x829D) = fixture::Rational(0x829D, 28, 0);
  *Find(jpeg.exif, 0x920A) =
      fixture::Raw(0x920A, 5, 1, 0xFFFFFFFC);  // far outside; +4 must not wrap
  *Find(jpeg.exif, 0x9206) = fixture::Raw(0x9206, 10, 1, 60000);
  InfoValueTexts t = ReadInfo(jpeg, memory);
  EXPECT_EQ(t.item(4), "");
  EXPECT_EQ(t.item(16), "");
  EXPECT_EQ(t.item(14), "");
  EXPECT_EQ(t.item(13), "F2.8");
}

TEST(PhotoInfo, ATagMetTwiceTakesItsLastEntryEvenWithoutText) {
  ShootingInfoMemory memory;
  ExifJpeg jpeg = info_test::Photo("Canon", "M");
  jpeg.exif.push_back(fixture::Rational(0x829D, 28, 0));
  jpeg.exif.push_back(fixture::Rational(0x829A, 1, 4));
  InfoValueTexts t = ReadInfo(jpeg, memory);
  EXPECT_EQ(t.item(4), "");
  EXPECT_EQ(Utf8(t.item(3)), "1/4秒");
}

TEST(PhotoInfo, TheRememberedMaker) {
  ShootingInfoMemory memory;
  EXPECT_TRUE(memory.IsCanon());  // from program start

  ReadInfo(info_test::Photo("FUJIFILM", "F"), memory);
  EXPECT_EQ(memory.maker, "FUJIFILM");
  // Without a Make tag the maker stays.
  InfoValueTexts t = ReadInfo(info_test::Photo("", "F"), memory);
  EXPECT_EQ(memory.maker, "FUJIFILM");
  EXPECT_EQ(t.item(1), "");
  // A Make whose value lies outside the bytes read leaves it as well.
  ExifJpeg outside = info_test::Photo("", "F");
  outside.ifd0.push_back(fixture::Raw(0x010F, 2, 6, 60000));
  ReadInfo(outside, memory);
  EXPECT_EQ(memory.maker, "FUJIFILM");
  // A Make of count 0 makes it empty.
  ExifJpeg empty = info_test::Photo("", "F");
  empty.ifd0.push_back(fixture::Raw(0x010F, 2, 0, 60000));
  ReadInfo(empty, memory);
  EXPECT_EQ(memory.maker, "");
  EXPECT_FALSE(memory.IsCanon());
  // A long Make: the maker holds 31 bytes, item 1 holds 199.
  const std::string longMake = "Canon" + std::string(250, '!');
  t = ReadInfo(info_test::Photo(longMake, "F"), memory);
  EXPECT_EQ(memory.maker, longMake.substr(0, 31));
  EXPECT_EQ(t.item(1), longMake.substr(0, 199));
  // Only IFD0's Make counts; the last of two wins.
  ExifJpeg twice = info_test::Photo("Pentax", "F");
  twice.ifd0.push_back(fixture::Ascii(0x010F, "Canon"));
  twice.exif.push_back(fixture::Ascii(0x010F, "Nikon"));
  t = ReadInfo(twice, memory);
  EXPECT_EQ(memory.maker, "Canon");
  EXPECT_EQ(t.item(1), "Canon");
}

TEST(PhotoInfo, CanonMakerNoteItems) {
  ShootingInfoMemory memory;
  InfoValueTexts t = ReadInfo(info_test::CanonPhoto("Canon EOS D30", {0x0101, 0x0203}), memory);
  const char* expected[] = {
      "ノーマル",
      "非発光",
      "１コマ撮影",
      "ONE SHOT AF",
      "Large",
      "フルオート",
      "標準",
      "標準",
      "標準",
      "評価測光",
      "中央",
      "P（プログラムAE）",
      "80mm",
      "28mm",
      "非発光のため情報なし",
      "太陽光",
      "[中央]",
      "EV+0.33",
      "IMG:EOS D30 JPEG",
      "Firmware Version 1.0.4",
      "100-1234",
      "Owner Name",
      "00AB00291",
  };
  for (int item = 19; item <= 41; ++item)
    EXPECT_EQ(Utf8(t.item(item)), expected[item - 19]) << "item " << item;
  EXPECT_EQ(Utf8(t.customValue(1)), "1:入");
  EXPECT_EQ(Utf8(t.customValue(2)), "2:AF/AFロック");
  EXPECT_TRUE(memory.headerSet[1]);
  EXPECT_TRUE(memory.headerSet[2]);
}

TEST(PhotoInfo, OnlyTheFirstMakerNoteIsRead) {
  ShootingInfoMemory memory;
  ExifJpeg jpeg = info_test::CanonPhoto("Canon EOS D60");
  std::vector<std::uint16_t> macro = info_test::CameraSettings();
  macro[1] = 1;
  jpeg.exif.push_back(info_test::CanonNote({}, macro));
  InfoValueTexts t = ReadInfo(jpeg, memory);
  EXPECT_EQ(Utf8(t.item(19)), "ノーマル");
}

TEST(PhotoInfo, MakerNoteIsLittleEndianInABigEndianPhoto) {
  ShootingInfoMemory memory;
  ExifJpeg jpeg = info_test::Photo("Canon", "Canon EOS D30", Order::kBig);
  // The note laid out by hand at TIFF offset 1000: one entry, image serial 51234.
  const std::uint32_t at = 1000;
  std::vector<std::uint8_t> note = {1, 0, 0x08, 0x00, 4, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const std::uint32_t serial = 51234;
  for (int i = 0; i < 4; ++i) note[10 + i] = static_cast<std::uint8_t>(serial >> (8 * i));
  jpeg.exif.push_back(fixture::Raw(0x927C, 7, static_cast<std::uint32_t>(note.size()), at));
  jpeg.blobs.push_back({at, note});
  InfoValueTexts t = ReadInfo(jpeg, memory);
  EXPECT_EQ(t.item(39), "005-1234");
  EXPECT_EQ(t.item(5), "200");  // the Exif IFD itself stays big-endian
}

TEST(PhotoInfo, NoExifIfdMeansNoExifItemsAndNoMakerNote) {
  ShootingInfoMemory memory;
  ExifJpeg jpeg = info_test::CanonPhoto("Canon EOS D30", {0x0101});
  jpeg.autoExifPointer = false;
  InfoValueTexts t = ReadInfo(jpeg, memory);
  EXPECT_EQ(t.item(1), "Canon");
  for (int item = 3; item <= 41; ++item) EXPECT_EQ(t.item(item), "") << item;
  EXPECT_FALSE(memory.headerSet[1]);
}

// Damaged photos: every offset and count may point anywhere. Whatever they
// say, the texts stay within their capacities (and, under the sanitizers,
// nothing outside the bytes read is touched).
TEST(PhotoInfo, DamagedPhotosStayWithinTheirBytesAndCapacities) {
  std::vector<std::uint16_t> functions;
  for (std::uint16_t k = 1; k <= 13; ++k)
    functions.push_back(static_cast<std::uint16_t>(k << 8 | 1));
  const std::vector<std::uint8_t> original =
      info_test::CanonPhoto("Canon EOS D30", functions).Build();
  std::mt19937 random(5);
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> file = original;
    const int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i)
      file[12 + random() % (file.size() - 12)] = static_cast<std::uint8_t>(random());
    if (round % 7 == 0) file.resize(12 + random() % (file.size() - 12));
    ExifReader reader;
    reader.LoadBytes(file.data(), file.size());
    ASSERT_TRUE(reader.FindExifBlock());
    ShootingInfoMemory memory;
    InfoValueTexts texts;
    ReadPhotoInfo(reader, texts, memory);
    for (int item = 1; item <= kValueItems; ++item)
      ASSERT_LE(texts.item(item).size(), kItemCapacity);
    for (int k = 1; k <= kCustomFunctions; ++k)
      ASSERT_LE(texts.customValue(k).size(), kCustomValueCapacity);
    ASSERT_LE(memory.maker.size(), kMakerCapacity);
  }
}

}  // namespace
