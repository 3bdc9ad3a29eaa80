// The Exif reader on synthetic files: where it finds the block, how it decodes
// either byte order, and that nothing outside the bytes read is ever touched.
#include "exif/exif_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "exif/date_name.h"
#include "exif/embedded_thumbnail.h"
#include "exif/photo_info.h"
#include "platform/fault_injection.h"
#include "platform/memory_poison.h"
#include "tests/exif/info_photos.h"
#include "tests/support/exif_builder.h"
#include "tests/support/temp_gallery.h"

namespace {

using fixture::ExifJpeg;
using fixture::Order;
using Bytes = std::vector<std::uint8_t>;

ExifReader ReaderFor(const Bytes& file) {
  ExifReader reader;
  reader.LoadBytes(file.data(), file.size());
  return reader;
}

std::string Text(std::span<const std::uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

ExifJpeg DatedPhoto(Order order) {
  ExifJpeg jpeg(order);
  jpeg.ifd0.push_back(fixture::Ascii(0x010F, "Canon"));
  jpeg.exif.push_back(fixture::Short(0x8822, 2));
  jpeg.exif.push_back(fixture::Ascii(exif::kTagDateTimeOriginal, "2003:01:15 10:20:30"));
  jpeg.thumbnail = fixture::FakeThumbnail(300);
  return jpeg;
}

TEST(ExifReaderTest, FindsTheMarkerPairStartingAtPositionsZeroToFortyNine) {
  struct Case {
    std::size_t position;
    bool found;
  } cases[] = {{0, true}, {2, true}, {20, true}, {49, true}, {50, false}, {51, false}};
  for (const Case& c : cases) {
    ExifJpeg jpeg = DatedPhoto(Order::kLittle);
    jpeg.app1Position = c.position;
    ExifReader reader = ReaderFor(jpeg.Build());
    EXPECT_EQ(reader.FindExifBlock(), c.found) << "pair at " << c.position;
    if (c.found) {
      EXPECT_EQ(reader.TiffOrigin(), c.position + 10);
      EXPECT_TRUE(reader.LittleEndian());
    }
  }
}

TEST(ExifReaderTest, ReadsTheBlockAfterAJfifSegment) {
  ExifJpeg jpeg = DatedPhoto(Order::kBig);
  jpeg.prefix = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F',  'I', 'F',
                 0,    1,    1,    1,    0,    0x48, 0,   0x48, 0,   0};
  ExifReader reader = ReaderFor(jpeg.Build());
  ASSERT_TRUE(reader.FindExifBlock());
  EXPECT_EQ(reader.TiffOrigin(), 30u);
  EXPECT_TRUE(reader.ExifIfdOffset().has_value());
}

// A JPEG segment: marker, length, then its data (start followed by filler).
Bytes Segment(std::uint8_t marker, std::size_t dataSize, const std::string& start = "") {
  Bytes segment(4 + dataSize, 0x20);
  segment[0] = 0xFF;
  segment[1] = marker;
  segment[2] = static_cast<std::uint8_t>((dataSize + 2) >> 8);
  segment[3] = static_cast<std::uint8_t>((dataSize + 2) & 0xFF);
  std::copy(start.begin(), start.end(), segment.begin() + 4);
  return segment;
}

Bytes Joined(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// When the first 50 bytes hold no Exif block, the JPEG segments are walked
// from the start; the walk stays inside the bytes read whatever the lengths.
TEST(ExifReaderTest, FindsTheExifBlockAfterOtherSegments) {
  const Bytes soi = {0xFF, 0xD8};
  const Bytes jfif = Segment(0xE0, 14, std::string("JFIF\0", 5));
  const Bytes icc = Segment(0xE2, 3000, std::string("ICC_PROFILE\0", 12));
  const Bytes photoshop = Segment(0xED, 20000, std::string("Photoshop 3.0\0", 14));
  const Bytes xmp = Segment(0xE1, 500, std::string("http://ns.adobe.com/xap/1.0/\0", 29));
  const Bytes shortExif = Segment(0xE1, 5, std::string("Exif\0", 5));
  struct Case {
    const char* what;
    Bytes prefix;  // the file up to the Exif segment
    bool found;
  } cases[] = {
      {"after APP0, APP2 and APP13", Joined({soi, jfif, icc, photoshop}), true},
      {"after an XMP APP1 in the first 50 bytes", Joined({soi, jfif, xmp}), true},
      {"after fill bytes", Joined({soi, icc, {0xFF, 0xFF}}), true},
      {"after an APP1 too short for its identifier", Joined({soi, shortExif}), true},
      {"behind 65,536 bytes of segments", Joined({soi, photoshop, photoshop, photoshop, photoshop}),
       false},
      {"no SOI", Joined({jfif, icc}), false},
      {"after SOS", Joined({soi, icc, Segment(0xDA, 12)}), false},
      {"after EOI", Joined({soi, icc, {0xFF, 0xD9}}), false},
      {"after a segment of length 0", Joined({soi, icc, {0xFF, 0xE0, 0, 0}}), false},
      {"after a segment of length 1", Joined({soi, icc, {0xFF, 0xE0, 0, 1}}), false},
      {"after a segment that runs past the end", Joined({soi, icc, {0xFF, 0xE0, 0xFF, 0xFF}}),
       false},
      {"after bytes that are no marker", Joined({soi, icc, {0x00}}), false},
  };
  for (const Case& c : cases) {
    ExifJpeg jpeg = DatedPhoto(Order::kBig);
    jpeg.prefix = c.prefix;
    const Bytes file = jpeg.Build();
    ExifReader reader = ReaderFor(file);
    ASSERT_EQ(reader.FindExifBlock(), c.found) << c.what;
    if (!c.found) continue;
    EXPECT_EQ(reader.TiffOrigin(), c.prefix.size() + 10) << c.what;
    auto date = ReadShootingDate(reader);
    ASSERT_TRUE(date) << c.what;
    EXPECT_EQ(NameFromDate(*date), "2003_01_15_10_20_30.jpg");
    // Cut anywhere before the Exif block, the walk ends inside the bytes read.
    for (std::size_t keep : {std::size_t{1}, std::size_t{3}, c.prefix.size() - 1,
                             c.prefix.size() + 3, c.prefix.size() + 9}) {
      Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(keep));
      EXPECT_FALSE(ReaderFor(cut).FindExifBlock()) << c.what << ", cut to " << keep;
    }
  }
}

TEST(ExifReaderTest, APairWhoseSecondByteIsBeyondTheBytesReadIsNotSeen) {
  Bytes file(49, 0);
  file.push_back(0xFF);  // position 49, nothing at 50
  EXPECT_FALSE(ReaderFor(file).FindExifBlock());
  file.push_back(0xE1);
  // Without "Exif\0\0" after the segment length the pair starts no Exif block.
  EXPECT_FALSE(ReaderFor(file).FindExifBlock());
  file.insert(file.end(), {0x00, 0x08, 'E', 'x', 'i', 'f', 0, 0});
  ExifReader reader = ReaderFor(file);
  EXPECT_TRUE(reader.FindExifBlock());
  // The origin lies at the end: every read is missing.
  EXPECT_FALSE(reader.Ifd0Offset());
  EXPECT_FALSE(reader.ExifIfdOffset());
  EXPECT_FALSE(reader.Ifd1Offset());
}

TEST(ExifReaderTest, EmptyAndTinyFilesHaveNoBlock) {
  EXPECT_FALSE(ReaderFor({}).FindExifBlock());
  EXPECT_FALSE(ReaderFor({0xFF}).FindExifBlock());
  EXPECT_FALSE(ReaderFor({0xE1, 0xFF}).FindExifBlock());
}

TEST(ExifReaderTest, BothByteOrdersGiveTheSameOffsetsCountsAndDate) {
  struct Seen {
    std::uint32_t exifIfd, ifd1;
    std::size_t exifEntries;
    std::string date;
  };
  auto read = [](Order order) {
    ExifReader reader = ReaderFor(DatedPhoto(order).Build());
    EXPECT_TRUE(reader.FindExifBlock());
    EXPECT_EQ(reader.LittleEndian(), order == Order::kLittle);
    Seen seen{};
    seen.exifIfd = reader.ExifIfdOffset().value_or(0);
    seen.ifd1 = reader.Ifd1Offset().value_or(0);
    ExifDirectory table;
    reader.ReadDirectory(seen.exifIfd, table);
    seen.exifEntries = table.size();
    auto date = ExifReader::FindTag(table, exif::kTagDateTimeOriginal);
    if (date) seen.date = reader.ValueText(*date).value_or("");
    return seen;
  };
  Seen little = read(Order::kLittle), big = read(Order::kBig);
  EXPECT_NE(little.exifIfd, 0u);
  EXPECT_NE(little.ifd1, 0u);
  EXPECT_EQ(little.exifIfd, big.exifIfd);
  EXPECT_EQ(little.ifd1, big.ifd1);
  EXPECT_EQ(little.exifEntries, 2u);
  EXPECT_EQ(big.exifEntries, 2u);
  EXPECT_EQ(little.date, "2003:01:15 10:20:30");
  EXPECT_EQ(big.date, little.date);
}

TEST(ExifReaderTest, AnyMarkOtherThanCapitalIIReadsBigEndian) {
  for (const char* mark : {"ii", "Ii", "MM", "\0\0", "IM"}) {
    ExifJpeg jpeg = DatedPhoto(Order::kBig);
    jpeg.byteOrderMark = std::string(mark, 2);
    ExifReader reader = ReaderFor(jpeg.Build());
    ASSERT_TRUE(reader.FindExifBlock());
    EXPECT_FALSE(reader.LittleEndian()) << mark;
    EXPECT_TRUE(reader.ExifIfdOffset().has_value()) << mark;
  }
  // The same structure stored little-endian under "ii" is read wrongly, as big-endian.
  ExifJpeg jpeg = DatedPhoto(Order::kLittle);
  jpeg.byteOrderMark = "ii";
  ExifReader reader = ReaderFor(jpeg.Build());
  ASSERT_TRUE(reader.FindExifBlock());
  EXPECT_EQ(reader.Ifd0Offset(), 0x08000000u);
  EXPECT_FALSE(reader.ExifIfdOffset());
}

TEST(ExifReaderTest, AShortInTheValueFieldIsTheLowHalfInIntelAndTheHighHalfInMotorola) {
  for (Order order : {Order::kLittle, Order::kBig}) {
    ExifReader reader = ReaderFor(DatedPhoto(order).Build());
    ASSERT_TRUE(reader.FindExifBlock());
    ExifDirectory table;
    reader.ReadDirectory(*reader.ExifIfdOffset(), table);
    auto program = ExifReader::FindTag(table, 0x8822);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->type, fixture::type::kShort);
    EXPECT_EQ(program->count, 1u);
    EXPECT_EQ(program->value, order == Order::kLittle ? 0x00000002u : 0x00020000u);
  }
}

TEST(ExifReaderTest, TheSecondOfTwoExifPointersWins) {
  for (Order order : {Order::kLittle, Order::kBig}) {
    ExifJpeg jpeg(order);
    jpeg.exifOffset = 400;
    jpeg.exif.push_back(fixture::Ascii(exif::kTagDateTimeOriginal, "2001:01:01 01:01:01"));
    // A decoy Exif IFD elsewhere, pointed at by the first 0x8769 entry.
    jpeg.ifd0.push_back(fixture::Raw(exif::kTagExifIfdPointer, fixture::type::kLong, 1, 200));
    std::vector<fixture::PlacedBlob> placed;
    jpeg.blobs.push_back(
        {200, fixture::EncodeDirectory(
                  order, {fixture::Ascii(exif::kTagDateTimeOriginal, "1999:09:09 09:09:09")}, 200,
                  0, placed)});
    ExifReader reader = ReaderFor(jpeg.Build());
    ASSERT_TRUE(reader.FindExifBlock());
    EXPECT_EQ(reader.ExifIfdOffset(), 400u);
  }
}

TEST(ExifReaderTest, TheLastEntryOfATagCounts) {
  ExifDirectory table = {{1, 2, 3, 4}, {7, 0, 0, 10}, {1, 5, 6, 7}, {9, 0, 0, 0}};
  auto found = ExifReader::FindTag(table, 1);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->value, 7u);
  EXPECT_FALSE(ExifReader::FindTag(table, 2));
  EXPECT_FALSE(ExifReader::FindTag({}, 1));
}

TEST(ExifReaderTest, AValueOfFourBytesOrFewerIsStillTakenFromTheOffset) {
  for (Order order : {Order::kLittle, Order::kBig}) {
    ExifJpeg jpeg(order);
    jpeg.exif.push_back(fixture::AsciiBytes(0x9003, "ABC").OutOfLine());
    // An honest inline value: its bytes "XYZ" sit in the value field itself.
    jpeg.exif.push_back(fixture::AsciiBytes(0x9004, "XYZ"));
    ExifReader reader = ReaderFor(jpeg.Build());
    ASSERT_TRUE(reader.FindExifBlock());
    ExifDirectory table;
    reader.ReadDirectory(*reader.ExifIfdOffset(), table);
    auto outOfLine = reader.ValueBytes(*ExifReader::FindTag(table, 0x9003));
    ASSERT_TRUE(outOfLine);
    EXPECT_EQ(Text(*outOfLine), "ABC");
    // The value field's bytes read as a 32-bit offset: "XYZ\0" points far outside.
    auto inlineEntry = ExifReader::FindTag(table, 0x9004);
    EXPECT_EQ(inlineEntry->value, order == Order::kLittle ? 0x005A5958u : 0x58595A00u);
    EXPECT_FALSE(reader.ValueBytes(*inlineEntry));
  }
}

TEST(ExifReaderTest, OrientationIsIfd0sShortAndNormalWhenUnusable) {
  struct Case {
    const char* what;
    std::vector<fixture::Entry> ifd0;
    std::uint16_t orientation;
  } cases[] = {
      {"absent", {}, 1},
      {"6", {fixture::Short(0x0112, 6)}, 6},
      {"8", {fixture::Short(0x0112, 8)}, 8},
      {"the last entry counts", {fixture::Short(0x0112, 3), fixture::Short(0x0112, 5)}, 5},
      {"0", {fixture::Short(0x0112, 0)}, 1},
      {"9", {fixture::Short(0x0112, 9)}, 1},
      {"a LONG", {fixture::Long(0x0112, 6)}, 1},
      {"two SHORTs", {fixture::Shorts(0x0112, {6, 6})}, 1},
  };
  for (Order order : {Order::kLittle, Order::kBig}) {
    for (const Case& c : cases) {
      ExifJpeg jpeg = DatedPhoto(order);
      jpeg.ifd0.insert(jpeg.ifd0.end(), c.ifd0.begin(), c.ifd0.end());
      ExifReader reader = ReaderFor(jpeg.Build());
      ASSERT_TRUE(reader.FindExifBlock());
      EXPECT_EQ(reader.Orientation(), c.orientation) << c.what;
    }
  }
}

TEST(ExifReaderTest, TheThumbnailSearchUsesIfd0sNextOffsetWithoutAnExifPointer) {
  ExifJpeg jpeg(Order::kBig);
  jpeg.ifd0.push_back(fixture::Ascii(0x010F, "NoExif"));
  jpeg.ifd1.push_back(fixture::Short(0x0103, 6));
  ExifReader reader = ReaderFor(jpeg.Build());
  ASSERT_TRUE(reader.FindExifBlock());
  EXPECT_FALSE(reader.ExifIfdOffset());
  auto ifd1 = reader.Ifd1Offset();
  ASSERT_TRUE(ifd1);
  ExifDirectory table;
  EXPECT_EQ(reader.ReadDirectory(*ifd1, table), 0u);
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].tag, 0x0103);
}

TEST(ExifReaderTest, AnIfd1OffsetOfZeroMeansNoIfd1) {
  ExifJpeg jpeg = DatedPhoto(Order::kLittle);
  jpeg.ifd0Next = 0;
  ExifReader reader = ReaderFor(jpeg.Build());
  ASSERT_TRUE(reader.FindExifBlock());
  EXPECT_FALSE(reader.Ifd1Offset());
}

// A directory of 12-byte entries, count 150: the first 100 are decoded and the
// next-directory offset still follows all 150.
TEST(ExifReaderTest, ADirectoryOfMoreThanAHundredEntriesGivesItsFirstHundred) {
  for (Order order : {Order::kLittle, Order::kBig}) {
    ExifJpeg jpeg(order);
    for (std::uint16_t i = 0; i < 150; ++i)
      jpeg.ifd0.push_back(fixture::Raw(static_cast<std::uint16_t>(0x1000 + i), 4, 1, i));
    jpeg.ifd0Next = 0x1234;
    ExifReader reader = ReaderFor(jpeg.Build());
    ASSERT_TRUE(reader.FindExifBlock());
    ExifDirectory table;
    EXPECT_EQ(reader.ReadDirectory(8, table), 0x1234u);
    ASSERT_EQ(table.size(), exif::kMaxDirectoryEntries);
    EXPECT_EQ(table.back().tag, 0x1000 + 99);
    EXPECT_EQ(table.back().value, 99u);
    EXPECT_EQ(reader.Ifd1Offset(), 0x1234u);
  }
}

// Cuts the file so that the bytes read end inside the directory at `cut`.
// A directory partly outside the bytes read is missing as a whole: no entry of
// it is decoded, however many lie inside.
TEST(ExifReaderTest, DirectoriesRunningPastTheEndAreMissingWhole) {
  ExifJpeg jpeg(Order::kLittle);
  for (std::uint16_t i = 0; i < 5; ++i) jpeg.ifd0.push_back(fixture::Raw(i, 4, 1, 100 + i));
  Bytes file = jpeg.Build();
  const std::size_t entries = jpeg.TiffOriginInFile() + 8 + 2;
  struct Case {
    std::size_t keep;  // bytes of the file kept
    std::size_t decoded;
    bool hasNext;
  } cases[] = {
      {entries - 1, 0, false},            // the count itself is cut
      {entries, 0, false},                // count inside, no entry
      {entries + 11, 0, false},           // first entry one byte short
      {entries + 12, 0, false},           // exactly one entry of five
      {entries + 12 * 4 + 11, 0, false},  // the last entry one byte short
      {entries + 12 * 5, 5, false},       // all entries, next offset missing
      {entries + 12 * 5 + 3, 5, false},   // all entries, next offset cut
      {entries + 12 * 5 + 4, 5, true},    // everything
  };
  for (const Case& c : cases) {
    Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(c.keep));
    ExifReader reader = ReaderFor(cut);
    ASSERT_TRUE(reader.FindExifBlock());
    ExifDirectory table = {{9, 9, 9, 9}};
    auto next = reader.ReadDirectory(8, table);
    EXPECT_EQ(table.size(), c.decoded) << "keep " << c.keep;
    EXPECT_EQ(next.has_value(), c.hasNext) << "keep " << c.keep;
    for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].value, 100 + i);
  }
}

TEST(ExifReaderTest, ValuesWhollyOrPartlyOutsideAreMissing) {
  ExifJpeg jpeg(Order::kLittle);
  jpeg.exif.push_back(fixture::AsciiBytes(0x9003, "0123456789"));
  Bytes file = jpeg.Build();
  ExifReader reader = ReaderFor(file);
  ASSERT_TRUE(reader.FindExifBlock());
  ExifDirectory table;
  reader.ReadDirectory(*reader.ExifIfdOffset(), table);
  const ExifEntry date = *ExifReader::FindTag(table, 0x9003);
  const auto room = static_cast<std::uint32_t>(file.size() - reader.TiffOrigin());

  struct Case {
    std::uint32_t value, count;
    bool present;
  } cases[] = {
      {date.value, date.count, true},
      {room - 4, 4, true},              // the very last bytes
      {room - 4, 5, false},             // one byte beyond the end
      {room, 1, false},                 // starts at the end
      {room, 0, true},                  // nothing to read
      {0xFFFFFFFF, 0, true},            // nothing to read, wherever it points
      {0xFFFFFFFF, 1, false},           // origin + value far beyond
      {0xFFFFFFF0, 0x20, false},        // value + count wraps a 32-bit sum
      {date.value, 0xFFFFFFFF, false},  // the whole count is checked, before any cap
  };
  for (const Case& c : cases) {
    ExifEntry e = date;
    e.value = c.value;
    e.count = c.count;
    auto bytes = reader.ValueBytes(e);
    EXPECT_EQ(bytes.has_value(), c.present) << c.value << " " << c.count;
    if (bytes) {
      EXPECT_EQ(bytes->size(), c.count);
      if (!bytes->empty()) {
        EXPECT_GE(bytes->data(), reader.Bytes().data());
        EXPECT_LE(bytes->data() + bytes->size(), reader.Bytes().data() + reader.Bytes().size());
      }
    }
  }
  EXPECT_FALSE(reader.ReadU16(room - 1));
  EXPECT_TRUE(reader.ReadU16(room - 2));
  EXPECT_FALSE(reader.ReadU32(room - 3));
  EXPECT_TRUE(reader.ReadU32(room - 4));
  EXPECT_FALSE(reader.ReadU32(0xFFFFFFFE));
  ExifDirectory none = {{1, 1, 1, 1}};
  EXPECT_FALSE(reader.ReadDirectory(0xFFFFFFFF, none));
  EXPECT_TRUE(none.empty());
}

TEST(ExifReaderTest, ATextEndsAtItsFirstZeroByte) {
  ExifJpeg jpeg(Order::kBig);
  jpeg.exif.push_back(fixture::AsciiBytes(0x9003, std::string("2003:01\0:15", 11)));
  ExifReader reader = ReaderFor(jpeg.Build());
  ASSERT_TRUE(reader.FindExifBlock());
  ExifDirectory table;
  reader.ReadDirectory(*reader.ExifIfdOffset(), table);
  EXPECT_EQ(reader.ValueText(table.at(0)), "2003:01");
}

TEST(ExifReaderTest, OnlyTheFirst65536BytesExist) {
  ExifJpeg jpeg(Order::kLittle);
  jpeg.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30").At(65000));
  jpeg.exif.push_back(fixture::Ascii(0x9004, "2004:01:15 10:20:30").At(65600));
  TempGallery gallery;
  ASSERT_TRUE(jpeg.Write("Pelvora/big.jpg"));
  ExifReader reader;
  ASSERT_TRUE(reader.Load("Pelvora/big.jpg"));
  EXPECT_EQ(reader.Bytes().size(), exif::kReadBufferSize);
  ASSERT_TRUE(reader.FindExifBlock());
  ExifDirectory table;
  reader.ReadDirectory(*reader.ExifIfdOffset(), table);
  EXPECT_EQ(reader.ValueText(*ExifReader::FindTag(table, 0x9003)), "2003:01:15 10:20:30");
  EXPECT_FALSE(reader.ValueBytes(*ExifReader::FindTag(table, 0x9004)));

  Bytes file = jpeg.Build();
  ExifReader fromBytes = ReaderFor(file);
  EXPECT_EQ(fromBytes.Bytes().size(), exif::kReadBufferSize);
}

// Photos whose values lie beyond the first read, read from their files: each
// step reads only the blocks up to the farthest value it needs, and gets what
// reading all 65,536 bytes gives.
TEST(ExifReaderTest, ALoadedPhotoIsReadOnlyAsFarAsEachStepNeeds) {
  constexpr std::size_t kFirst = exif::kFirstReadSize, kBlock = exif::kReadBlockSize;
  auto photo = [](auto change) {
    ExifJpeg jpeg = info_test::CanonPhoto("Canon EOS D30", {0x0101});
    jpeg.thumbnail = fixture::FakeThumbnail(3000);
    jpeg.tail.assign(100000, 0x20);  // the picture: far more than the head
    change(jpeg);
    return jpeg;
  };
  struct Case {
    const char* what;
    ExifJpeg jpeg;
    std::size_t rename, thumbnails, info;  // bytes read by each step
  } cases[] = {
      {"all in the first read", photo([](ExifJpeg&) {}), kFirst, kFirst, kFirst},
      {"thumbnail in the second block", photo([](ExifJpeg& j) { j.thumbnailOffset = 20000; }),
       kFirst, 2 * kBlock, kFirst},
      {"maker's note in the third block", photo([](ExifJpeg& j) { j.exif.back().At(40000); }),
       kFirst, kFirst, 3 * kBlock},
      {"Exif IFD in the second block", photo([](ExifJpeg& j) { j.exifOffset = 30000; }), 2 * kBlock,
       kFirst, 2 * kBlock},
      {"thumbnail in the last block", photo([](ExifJpeg& j) { j.thumbnailOffset = 62000; }), kFirst,
       4 * kBlock, kFirst},
      // Known to be missing without reading: it cannot lie inside the 65,536 bytes.
      {"thumbnail across the end of the head",
       photo([](ExifJpeg& j) { j.thumbnailOffset = 64000; }), kFirst, kFirst, kFirst},
      {"a short file", photo([](ExifJpeg& j) {
         j.tail = {0xFF, 0xD9};
       }),
       0, 0, 0},
  };
  TempGallery gallery;
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes file = c.jpeg.Build();
    ASSERT_TRUE(c.jpeg.Write("Pelvora/p.jpg"));
    const std::size_t whole = std::min(file.size(), exif::kReadBufferSize);
    auto expected = [&](std::size_t read) { return read == 0 ? whole : read; };
    ExifReader all = ReaderFor(file), lazy;

    ASSERT_TRUE(lazy.Load("Pelvora/p.jpg") && lazy.FindExifBlock() && all.FindExifBlock());
    auto date = ReadShootingDate(lazy);
    EXPECT_EQ(lazy.BytesRead(), expected(c.rename));
    EXPECT_EQ(date, ReadShootingDate(all));

    ASSERT_TRUE(lazy.Load("Pelvora/p.jpg") && lazy.FindExifBlock());
    auto thumbnail = EmbeddedThumbnail(lazy);
    EXPECT_EQ(lazy.BytesRead(), expected(c.thumbnails));
    auto allThumbnail = EmbeddedThumbnail(all);
    ASSERT_EQ(thumbnail.has_value(), allThumbnail.has_value());
    if (thumbnail) {
      EXPECT_TRUE(std::ranges::equal(*thumbnail, *allThumbnail));
    }

    ASSERT_TRUE(lazy.Load("Pelvora/p.jpg") && lazy.FindExifBlock());
    InfoValueTexts texts, allTexts;
    ShootingInfoMemory memory, allMemory;
    ReadPhotoInfo(lazy, texts, memory);
    EXPECT_EQ(lazy.BytesRead(), expected(c.info));
    ReadPhotoInfo(all, allTexts, allMemory);
    for (int n = 1; n <= kValueItems; ++n) EXPECT_EQ(texts.item(n), allTexts.item(n)) << n;
    EXPECT_EQ(texts.customValue(1), allTexts.customValue(1));
    EXPECT_FALSE(texts.item(39).empty());
  }
}

TEST(ExifReaderTest, LoadFailsOnlyWhenTheFileCannotBeOpenedAndForgetsThePreviousPhoto) {
  TempGallery gallery;
  ASSERT_TRUE(DatedPhoto(Order::kLittle).Write("Pelvora/a.jpg"));
  TempGallery::WriteFile("Pelvora/empty.jpg", std::string());
  ExifReader reader;
  ASSERT_TRUE(reader.Load("Pelvora/a.jpg"));
  ASSERT_TRUE(reader.FindExifBlock());

  EXPECT_FALSE(reader.Load("Pelvora/missing.jpg"));
  EXPECT_TRUE(reader.Bytes().empty());
  EXPECT_FALSE(reader.FindExifBlock());

  EXPECT_FALSE(reader.Load("Pelvora"));  // a folder is not a photo

  EXPECT_TRUE(reader.Load("Pelvora/empty.jpg"));
  EXPECT_FALSE(reader.FindExifBlock());

  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Open && path == "Pelvora/a.jpg";
  });
  EXPECT_FALSE(reader.Load("Pelvora/a.jpg"));
}

// The read buffer is reused from photo to photo: a shorter photo after a longer
// one must not see the longer one's bytes beyond its own end.
TEST(ExifReaderTest, AShorterPhotoDoesNotSeeTheBytesOfTheOneBefore) {
  ExifJpeg big(Order::kLittle);
  big.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30").At(40000));
  ExifJpeg small = big;
  small.tail.clear();
  Bytes smallFile = small.Build();
  smallFile.resize(smallFile.size() - 30000);  // cut off before the date's bytes
  TempGallery gallery;
  ASSERT_TRUE(big.Write("Pelvora/big.jpg"));
  TempGallery::WriteFile("Pelvora/small.jpg", smallFile);

  for (bool fromFile : {true, false}) {
    ExifReader reader;
    ASSERT_TRUE(reader.Load("Pelvora/big.jpg"));
    ASSERT_TRUE(reader.FindExifBlock());
    ASSERT_TRUE(ReadShootingDate(reader));
    if (fromFile) {
      ASSERT_TRUE(reader.Load("Pelvora/small.jpg"));
    } else {
      reader.LoadBytes(smallFile.data(), smallFile.size());
    }
    EXPECT_EQ(reader.Bytes().size(), smallFile.size());
    EXPECT_TRUE(std::equal(smallFile.begin(), smallFile.end(), reader.Bytes().begin()));
    ASSERT_TRUE(reader.FindExifBlock());
    EXPECT_FALSE(ReadShootingDate(reader));
  }
}

// The bytes of the buffer past the photo's own (an earlier photo's, or never
// written) are unreadable in sanitizer builds, so that a read of them is
// reported like a read outside the bytes read.
TEST(ExifReaderTest, SanitizerBuildsReportReadsPastThePhotosBytes) {
#ifndef VORNAMI_ADDRESS_SANITIZER
  GTEST_SKIP() << "only AddressSanitizer builds mark the bytes";
#else
  const Bytes big(5000, 0xAB), small(13, 0xCD);
  TempGallery gallery;
  TempGallery::WriteFile("Pelvora/big.jpg", big);
  TempGallery::WriteFile("Pelvora/small.jpg", small);
  for (bool fromFile : {true, false}) {
    SCOPED_TRACE(fromFile ? "Load" : "LoadBytes");
    ExifReader reader;
    reader.LoadBytes(big.data(), big.size());
    if (fromFile) {
      ASSERT_TRUE(reader.Load("Pelvora/small.jpg"));
    } else {
      reader.LoadBytes(small.data(), small.size());
    }
    const std::uint8_t* bytes = reader.Bytes().data();
    EXPECT_FALSE(platform::IsMarkedUnreadable(bytes));
    EXPECT_FALSE(platform::IsMarkedUnreadable(bytes + 12));
    EXPECT_TRUE(platform::IsMarkedUnreadable(bytes + 13));
    EXPECT_TRUE(platform::IsMarkedUnreadable(bytes + 4999));
    EXPECT_TRUE(platform::IsMarkedUnreadable(bytes + exif::kReadBufferSize - 1));
    // A photo that cannot be opened leaves no byte readable.
    EXPECT_FALSE(reader.Load("Pelvora/missing.jpg"));
    EXPECT_TRUE(platform::IsMarkedUnreadable(bytes));
    // The next photo's bytes are readable again.
    reader.LoadBytes(big.data(), big.size());
    EXPECT_FALSE(platform::IsMarkedUnreadable(bytes + 4999));
    EXPECT_TRUE(platform::IsMarkedUnreadable(bytes + 5000));
  }
#endif
}

// Every byte of a valid file in turn set to values that make offsets and counts
// point anywhere; each read must stay inside the bytes read (ASan checks the
// rest) and every value handed out must lie within them.
TEST(ExifReaderTest, MutatedFilesNeverLeadOutsideTheBytesRead) {
  std::mt19937 random(12345);
  for (Order order : {Order::kLittle, Order::kBig}) {
    const Bytes original = DatedPhoto(order).Build();
    for (std::size_t pos = 0; pos < original.size(); ++pos) {
      for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0x7F},
                                 static_cast<std::uint8_t>(random())}) {
        Bytes file = original;
        file[pos] = value;
        file.resize(file.size() - random() % 64);
        ExifReader reader = ReaderFor(file);
        if (!reader.FindExifBlock()) continue;
        const auto* begin = reader.Bytes().data();
        const auto* end = begin + reader.Bytes().size();
        auto check = [&](std::optional<std::uint32_t> offset) {
          if (!offset) return;
          ExifDirectory table;
          reader.ReadDirectory(*offset, table);
          ASSERT_LE(table.size(), exif::kMaxDirectoryEntries);
          for (const ExifEntry& e : table) {
            auto bytes = reader.ValueBytes(e);
            if (bytes && !bytes->empty()) {
              ASSERT_GE(bytes->data(), begin);
              ASSERT_LE(bytes->data() + bytes->size(), end);
            }
            reader.ValueText(e);
          }
        };
        check(reader.Ifd0Offset());
        check(reader.ExifIfdOffset());
        check(reader.Ifd1Offset());
      }
    }
  }
}

}  // namespace
