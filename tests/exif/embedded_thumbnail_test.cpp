// Finding the usable embedded thumbnail of a photo.
#include "exif/embedded_thumbnail.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/support/exif_builder.h"

namespace {

using fixture::ExifJpeg;
using fixture::Order;
using Bytes = std::vector<std::uint8_t>;

Bytes ThumbnailOf(const ExifJpeg& jpeg) {
  Bytes file = jpeg.Build();
  ExifReader reader;
  reader.LoadBytes(file.data(), file.size());
  EXPECT_TRUE(reader.FindExifBlock());
  auto span = EmbeddedThumbnail(reader);
  if (!span) return {};
  return Bytes(span->begin(), span->end());
}

TEST(EmbeddedThumbnailTest, GivesTheEmbeddedBytesInEitherByteOrder) {
  const Bytes thumbnail = fixture::FakeThumbnail(1500, 7);
  for (Order order : {Order::kLittle, Order::kBig}) {
    ExifJpeg jpeg(order);
    jpeg.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30"));
    jpeg.thumbnail = thumbnail;
    EXPECT_EQ(ThumbnailOf(jpeg), thumbnail);
  }
}

TEST(EmbeddedThumbnailTest, TheLastStartAndLengthEntriesCount) {
  ExifJpeg jpeg(Order::kBig);
  jpeg.thumbnail = fixture::FakeThumbnail(100);
  jpeg.thumbnailOffset = 600;
  jpeg.ifd1.push_back(fixture::Long(0x0201, 4));
  jpeg.ifd1.push_back(fixture::Long(0x0202, 7));
  // The builder appends its own 0x0201 and 0x0202 after these.
  EXPECT_EQ(ThumbnailOf(jpeg), fixture::FakeThumbnail(100));
}

TEST(EmbeddedThumbnailTest, UpTo32768BytesAreUsable) {
  for (std::size_t size : {4u, 32767u, 32768u}) {
    ExifJpeg jpeg(Order::kLittle);
    jpeg.thumbnail = fixture::FakeThumbnail(size);
    EXPECT_EQ(ThumbnailOf(jpeg).size(), size);
  }
}

TEST(EmbeddedThumbnailTest, PhotosWithoutAUsableThumbnailGiveNone) {
  struct Case {
    const char* what;
    ExifJpeg jpeg;
  };
  std::vector<Case> cases;
  auto base = [] {
    ExifJpeg j(Order::kLittle);
    j.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30"));
    return j;
  };
  {
    ExifJpeg j = base();
    cases.push_back({"no IFD1", j});
  }
  {
    ExifJpeg j = base();
    j.thumbnail = fixture::FakeThumbnail(100);
    j.ifd0Next = 0;
    cases.push_back({"IFD1 offset 0", j});
  }
  {
    ExifJpeg j = base();
    j.thumbnail = fixture::FakeThumbnail(100);
    j.ifd0Next = 0xFFFFFFF0;
    cases.push_back({"IFD1 outside", j});
  }
  {
    ExifJpeg j = base();
    j.ifd1.push_back(fixture::Long(0x0202, 100));
    cases.push_back({"no 0x0201", j});
  }
  {
    ExifJpeg j = base();
    j.thumbnail = fixture::FakeThumbnail(32769);
    cases.push_back({"longer than 32768", j});
  }
  // Pointer and length written by hand: a row each (no value: the tag is left out).
  const struct {
    const char* what;
    std::optional<std::uint32_t> offset, length;
  } kPointers[] = {
      {"no 0x0202", 8, std::nullopt},         {"length 0", 8, 0},
      {"negative length", 8, 0x80000000},     {"runs past the bytes read", 8, 60000},
      {"starts far outside", 0xFFFFFFFF, 10},
  };
  for (const auto& row : kPointers) {
    ExifJpeg j = base();
    if (row.offset) j.ifd1.push_back(fixture::Long(0x0201, *row.offset));
    if (row.length) j.ifd1.push_back(fixture::Long(0x0202, *row.length));
    cases.push_back({row.what, j});
  }
  for (const Case& c : cases) {
    EXPECT_TRUE(ThumbnailOf(c.jpeg).empty()) << c.what;
  }
}

}  // namespace
