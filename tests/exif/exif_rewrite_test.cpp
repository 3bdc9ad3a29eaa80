// The Exif block a converted photo carries: the source's directories laid
// out afresh, Orientation 1, a new IFD1 thumbnail, the maker's note kept at
// its own offset or left out.
#include "exif/exif_rewrite.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "exif/embedded_thumbnail.h"
#include "tests/support/exif_builder.h"

namespace {

using fixture::ExifJpeg;
using fixture::Order;
using Bytes = std::vector<std::uint8_t>;

Bytes Note(std::size_t size) {
  Bytes note(size);
  for (std::size_t i = 0; i < size; ++i) note[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return note;
}

struct RewriteCase {
  const char* what;
  Order order;
  std::function<void(ExifJpeg&)> more;  // beyond a date, a maker and an orientation of 6
  std::size_t thumbnailSize;
  bool noteKept;     // a maker's note of 300 bytes at offset 900 unless `more` says otherwise
  bool noteDropped;  // what the result says
};

const RewriteCase kCases[] = {
    {"little-endian, the note at its own offset", Order::kLittle, nullptr, 4000, true, false},
    {"big-endian, no thumbnail", Order::kBig, nullptr, 0, true, false},
    {"a note too far out for a JPEG's first 64 KiB", Order::kBig,
     [](ExifJpeg& j) { j.exif.back() = fixture::Undefined(0x927C, Note(8000)).At(60000); }, 4000,
     false, true},
    {"a note whose offset lies in the TIFF header", Order::kLittle,
     [](ExifJpeg& j) { j.exif.back() = fixture::Raw(0x927C, 7, 100, 4); }, 4000, false, true},
    {"a note outside the source's bytes", Order::kLittle,
     [](ExifJpeg& j) { j.exif.back() = fixture::Raw(0x927C, 7, 100, 50000); }, 4000, false, true},
    {"strip offsets, an unknown type and an old thumbnail go; GPS stays", Order::kLittle,
     [](ExifJpeg& j) {
       j.ifd0.push_back(fixture::Long(0x0111, 5000));
       j.ifd0.push_back(fixture::Raw(0x9999, 99, 1, 0));
       j.ifd0.push_back(fixture::SubDirectory(0x8825, {fixture::Ascii(0x0001, "North")}));
       j.thumbnail = fixture::FakeThumbnail(200, 9);
     },
     4000, true, false},
};

TEST(ExifRewriteTest, CarriesTheBlockUprightWithTheNewThumbnail) {
  for (const RewriteCase& c : kCases) {
    SCOPED_TRACE(c.what);
    ExifJpeg source(c.order);
    source.ifd0.push_back(fixture::Ascii(0x010F, "Apple"));
    source.ifd0.push_back(fixture::Short(0x0112, 6));
    source.exif.push_back(fixture::Ascii(0x9003, "2024:05:06 07:08:09"));
    source.exif.push_back(fixture::Long(0xA002, 4032));
    source.exif.push_back(fixture::Rational(0x829A, 1, 100));
    source.exif.push_back(fixture::Undefined(0x927C, Note(300)).At(900));
    if (c.more) c.more(source);
    const Bytes tiff = source.Tiff();
    ExifReader in;
    ASSERT_TRUE(in.LoadTiffBytes(tiff.data(), tiff.size()));
    const Bytes thumbnail = c.thumbnailSize ? fixture::FakeThumbnail(c.thumbnailSize, 3) : Bytes();
    std::optional<JpegExif> out = RewriteExifForJpeg(in, 3024, 4032, thumbnail);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->makerNoteDropped, c.noteDropped);
    ASSERT_LE(out->tiff.size(), exif::kMaxJpegTiffBytes);

    ExifReader back;
    ASSERT_TRUE(back.LoadTiffBytes(out->tiff.data(), out->tiff.size()));
    EXPECT_EQ(back.LittleEndian(), c.order == Order::kLittle);
    auto orientation = ExifReader::FindTag(back.Ifd0(), exif::kTagOrientation);
    ASSERT_TRUE(orientation);
    EXPECT_EQ(back.Orientation(), 1);
    EXPECT_EQ(back.ValueText(*ExifReader::FindTag(back.Ifd0(), 0x010F)), "Apple");
    EXPECT_EQ(back.ValueText(*back.DateTimeOriginal()), "2024:05:06 07:08:09");
    auto exposure = ExifReader::FindTag(back.ExifIfd(), 0x829A);
    ASSERT_TRUE(exposure);
    EXPECT_EQ(back.ReadU32(exposure->value), 1u);
    EXPECT_EQ(back.ReadU32(exposure->value + 4), 100u);
    auto width = ExifReader::FindTag(back.ExifIfd(), exif::kTagPixelXDimension);
    ASSERT_TRUE(width);
    EXPECT_EQ(width->value, 3024u);
    EXPECT_FALSE(ExifReader::FindTag(back.ExifIfd(), exif::kTagPixelYDimension));  // none before
    EXPECT_FALSE(ExifReader::FindTag(back.Ifd0(), 0x0111));
    EXPECT_FALSE(ExifReader::FindTag(back.Ifd0(), 0x9999));

    auto note = ExifReader::FindTag(back.ExifIfd(), exif::kTagMakerNote);
    EXPECT_EQ(note.has_value(), c.noteKept);
    if (note && c.noteKept) {
      EXPECT_EQ(note->value, 900u);
      auto bytes = back.ValueBytes(*note);
      ASSERT_TRUE(bytes);
      EXPECT_EQ(Bytes(bytes->begin(), bytes->end()), Note(300));
    }
    auto embedded = EmbeddedThumbnail(back);
    EXPECT_EQ(embedded ? Bytes(embedded->begin(), embedded->end()) : Bytes(), thumbnail);
    if (auto gps = ExifReader::FindTag(in.Ifd0(), exif::kTagGpsIfdPointer)) {
      auto pointer = ExifReader::FindTag(back.Ifd0(), exif::kTagGpsIfdPointer);
      ASSERT_TRUE(pointer);
      ExifDirectory table;
      ASSERT_TRUE(back.ReadDirectory(pointer->value, table));
      EXPECT_EQ(back.ValueText(*ExifReader::FindTag(table, 0x0001)), "North");
    }
  }
}

TEST(ExifRewriteTest, ABlockWithoutIfd0OrAnItemOffsetOutsideGivesNothing) {
  const Bytes noIfd0 = {'I', 'I', 42, 0, 0xF0, 0xFF, 0, 0};
  ExifReader in;
  ASSERT_TRUE(in.LoadTiffBytes(noIfd0.data(), noIfd0.size()));
  EXPECT_FALSE(RewriteExifForJpeg(in, 1, 1, {}));
  const Bytes notTiff = {'I', 'M', 42, 0};
  EXPECT_FALSE(in.LoadTiffBytes(notTiff.data(), notTiff.size()));

  const Bytes item = {0, 0, 0, 6, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42};
  auto tiff = ExifItemTiff(item);
  ASSERT_TRUE(tiff);
  EXPECT_EQ(Bytes(tiff->begin(), tiff->end()), Bytes({'M', 'M', 0, 42}));
  EXPECT_FALSE(ExifItemTiff(Bytes({0, 0, 0, 11, 1, 2})));
  EXPECT_FALSE(ExifItemTiff(Bytes({0xFF, 0xFF, 0xFF, 0xFF})));
}

}  // namespace
