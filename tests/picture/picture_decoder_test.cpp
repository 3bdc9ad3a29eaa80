// Decoding whole pictures within bounds: hostile files get a reason, never
// gigabytes or minutes; CMYK pictures come out as browsers show them. The
// files are made here with libjpeg itself, then bent.
#include "picture/picture_decoder.h"

#include <gtest/gtest.h>

// jpeglib.h wants FILE and size_t declared before it.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "picture/thumbnail_maker.h"
#include "texts/picture_texts.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Encoding {
  J_COLOR_SPACE space = JCS_RGB;  // what the file holds: JCS_YCbCr, JCS_CMYK, JCS_YCCK
  bool progressive = false;
  bool arithmetic = false;
  bool adobeMarker = true;  // CMYK: Photoshop's inverted form
};

// width×height of one colour (3 or 4 values, as the encoding's input takes them).
Bytes Compress(int width, int height, const std::vector<std::uint8_t>& colour, Encoding e) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = static_cast<int>(colour.size());
  info.in_color_space = colour.size() == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  if (e.space == JCS_CMYK || e.space == JCS_YCCK) {
    jpeg_set_colorspace(&info, e.space);
    info.write_Adobe_marker = e.adobeMarker;
  }
  if (e.progressive) jpeg_simple_progression(&info);
  info.arith_code = e.arithmetic;
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), colour.begin(), colour.end());
  while (info.next_scanline < info.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  Bytes bytes(out, out + size);
  jpeg_destroy_compress(&info);
  std::free(out);
  return bytes;
}

// The frame header's offset (its marker's 0xFF).
std::size_t FrameAt(const Bytes& jpeg) {
  for (std::size_t i = 2; i + 4 < jpeg.size();) {
    const std::uint8_t m = jpeg[i + 1];
    if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) return i;
    i += 2 + (std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3]);
  }
  ADD_FAILURE() << "no frame header";
  return 0;
}

// The header claims another size.
Bytes Claiming(Bytes jpeg, int width, int height) {
  const std::size_t f = FrameAt(jpeg);
  jpeg[f + 5] = std::uint8_t(height >> 8), jpeg[f + 6] = std::uint8_t(height);
  jpeg[f + 7] = std::uint8_t(width >> 8), jpeg[f + 8] = std::uint8_t(width);
  return jpeg;
}

// The last scan again and again, up to `scans` in all.
Bytes WithScans(const Bytes& jpeg, int scans) {
  const std::uint8_t sos[] = {0xFF, 0xDA};
  auto last = std::find_end(jpeg.begin(), jpeg.end(), std::begin(sos), std::end(sos));
  const Bytes scan(last, jpeg.end() - 2);
  int have = 0;
  for (auto it = jpeg.begin();
       (it = std::search(it, jpeg.end(), std::begin(sos), std::end(sos))) != jpeg.end(); ++it)
    ++have;
  Bytes out(jpeg.begin(), jpeg.end() - 2);
  for (int i = have; i < scans; ++i) out.insert(out.end(), scan.begin(), scan.end());
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

Bytes Bent(Bytes jpeg, std::size_t at, std::uint8_t value) {
  jpeg[at] = value;
  return jpeg;
}

const std::vector<std::uint8_t> kGrey = {128, 128, 128};

TEST(PictureDecoder, HostilePicturesAreRefusedWithTheirReason) {
  const Bytes baseline = Compress(64, 48, kGrey, {});
  const Bytes progressive = Compress(64, 48, kGrey, {JCS_YCbCr, true});
  struct Case {
    const char* what;
    Bytes jpeg;
    const char* reason;
  };
  const Case cases[] = {
      {"10,000 scans", WithScans(progressive, 10'000), txt::kPictureTooManyScans},
      // Each over all luma blocks: 40 scans read the picture's blocks 26 times.
      {"40 scans", WithScans(progressive, 40), txt::kPictureTooManyScans},
      {"progressive, claiming 14142x14142",
       Claiming(Compress(8, 8, kGrey, {JCS_YCbCr, true}), 14142, 14142), txt::kPictureTooLarge},
      {"claiming 20000x20000, over 200 megapixels", Claiming(baseline, 20000, 20000),
       txt::kPictureTooLarge},
      {"12-bit", Bent(baseline, FrameAt(baseline) + 4, 12), txt::kPictureUnsupported},
      {"lossless", Bent(baseline, FrameAt(baseline) + 1, 0xC3), txt::kPictureUnsupported},
      {"cut inside its header", Bytes(baseline.begin(), baseline.begin() + 100),
       txt::kPictureDamaged},
      {"not a JPEG", Bytes{'G', 'I', 'F', '8', '9', 'a'}, txt::kPictureDamaged},
      {"empty", Bytes{}, txt::kPictureDamaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DecodePicture(c.jpeg, {160, 120}, {}).error(), c.reason);
    ThumbnailMaker maker;
    EXPECT_EQ(maker.FromPicture(c.jpeg, 1).error(), c.reason);
  }
  // A real progressive picture with its few scans still decodes.
  EXPECT_TRUE(DecodePicture(progressive, {160, 120}, {}));
}

TEST(PictureDecoder, AStopGivesThePictureUp) {
  std::atomic<bool> stop{true};
  ThumbnailMaker maker(&stop);
  const Bytes picture = Compress(640, 480, kGrey, {JCS_YCbCr, true});
  EXPECT_EQ(maker.FromPicture(picture, 1).error(), txt::kPictureStopped);
  stop = false;
  EXPECT_TRUE(maker.FromPicture(picture, 1));
}

TEST(PictureDecoder, AnEmbeddedThumbnailClaimingMoreThan640x480IsNotTurned) {
  // 215 bytes or so, arithmetic-coded: decoded at its claimed size it would take gigabytes.
  const Bytes small = Compress(16, 16, kGrey, {JCS_YCbCr, false, true});
  ThumbnailMaker maker;
  EXPECT_TRUE(maker.UprightEmbedded(small, 6));
  for (int orientation : {3, 6})
    EXPECT_EQ(maker.UprightEmbedded(Claiming(small, 14001, 14001), orientation).error(),
              txt::kPictureTooLarge);
  EXPECT_EQ(maker.UprightEmbedded(Claiming(small, 641, 480), 3).error(), txt::kPictureTooLarge);
  EXPECT_TRUE(maker.UprightEmbedded(Claiming(Compress(640, 480, kGrey, {}), 640, 480), 3));
}

TEST(PictureDecoder, CmykPicturesComeOutAsBrowsersShowThem) {
  // Ink values as stored; Photoshop (the Adobe marker) stores them inverted.
  struct Case {
    const char* what;
    Encoding encoding;
    std::vector<std::uint8_t> stored;
    int r, g, b;
  };
  const Case cases[] = {
      {"CMYK, cyan ink, no black", {JCS_CMYK, false, false, false}, {255, 0, 0, 0}, 0, 255, 255},
      {"Adobe CMYK, inverted: magenta ink",
       {JCS_CMYK, false, false, true},
       {255, 0, 255, 255},
       255,
       0,
       255},
      {"Adobe YCCK, inverted: half black",
       {JCS_YCCK, false, false, true},
       {255, 255, 255, 128},
       128,
       128,
       128},
      {"progressive Adobe CMYK", {JCS_CMYK, true, false, true}, {0, 255, 255, 255}, 0, 255, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::Result<RgbImage> image =
        DecodePicture(Compress(32, 16, c.stored, c.encoding), {32, 16}, {});
    ASSERT_TRUE(image) << image.error();
    ASSERT_EQ(image->rgb.size(), 32u * 16 * 3);
    EXPECT_NEAR(image->rgb[0], c.r, 3);
    EXPECT_NEAR(image->rgb[1], c.g, 3);
    EXPECT_NEAR(image->rgb[2], c.b, 3);
  }
}

}  // namespace
