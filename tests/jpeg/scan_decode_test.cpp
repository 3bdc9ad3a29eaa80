// Decoding the scan: Huffman decoding, DC prediction, dequantization, the
// inverse DCT, chroma replication, restart markers and colour conversion.
#include <gtest/gtest.h>

#include <algorithm>

#include "jpeg/colour_conversion.h"
#include "jpeg/inverse_dct.h"
#include "jpeg/jpeg_decoder.h"
#include "jpeg/scan_geometry.h"
#include "jpeg/zigzag.h"
#include "tests/jpeg/decode_helpers.h"
#include "tests/jpeg/jpeg_builder.h"

namespace {

using namespace jpegtest;
using Pixel = std::vector<int>;

Pixel YCbCrPixel(int y, int cb, int cr) {
  Rgb rgb = YCbCrToRgb(y, cb, cr);
  return {rgb.red, rgb.green, rgb.blue};
}

void ExpectEveryPixel(const Decoded& d, const Pixel& p) {
  ASSERT_TRUE(d.ok());
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x) ASSERT_EQ(d.At(x, y), p) << "at " << x << "," << y;
}

TEST(ScanDecode, DcOfMinus8GivesGrey126AndPlus8Grey129) {
  for (auto [dc, level] : {std::pair{-8, 126}, std::pair{8, 129}}) {
    BitWriter w;
    w.Block(dc);  // end of block right after the DC: the other 63 coefficients are 0
    Decoded d = DecodeJpeg(GreyStream(8, 8, w.Finish()));
    EXPECT_EQ(d.width, 8);
    EXPECT_EQ(d.height, 8);
    ExpectEveryPixel(d, {level, level, level});
  }
}

TEST(ScanDecode, YCbCrWorkedExample) {
  // DC values giving the samples Y 100, Cb 150, Cr 90 with all-one quantization.
  BitWriter w;
  w.Block(-223);
  w.Block(176);
  w.Block(-303);
  Decoded d = DecodeJpeg(Stream(8, 8, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}}, w.Finish()));
  ExpectEveryPixel(d, {46, 119, 138});
}

TEST(ScanDecode, DcPredictionCarriesAcrossBlocks) {
  BitWriter w;
  w.Block(40);
  w.Block(40);  // second block's DC is 80
  Decoded d = DecodeJpeg(GreyStream(16, 8, w.Finish()));
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.At(0, 0)[0], 133);   // 0.25 * 40 * f0 * f0 + 128 = 133.00000002
  EXPECT_EQ(d.At(15, 7)[0], 138);  // 0.25 * 80 * f0 * f0 + 128
}

TEST(ScanDecode, RestartIntervalOfOneStartsEveryMcuFromZero) {
  BitWriter w;
  w.Block(40);
  w.Marker(0xD0);
  w.Block(40);
  w.Marker(0xD1);
  w.Block(-40);
  Decoded d = DecodeJpeg(GreyStream(24, 8, w.Finish(), 1));
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.At(0, 0)[0], 133);
  EXPECT_EQ(d.At(8, 0)[0], 133);   // DC 40 again, not 80
  EXPECT_EQ(d.At(16, 0)[0], 122);  // DC -40 (122.99999998), not 0
}

TEST(ScanDecode, RestartIntervalCountsMcus) {
  // Interval 2 over four MCUs: markers after MCU 2 and MCU 4 (before EOI).
  BitWriter w;
  w.Block(8);
  w.Block(8);
  w.Marker(0xD0);
  w.Block(8);
  w.Block(8);
  Decoded d = DecodeJpeg(GreyStream(32, 8, w.Finish(), 2));
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.At(8, 0)[0], d.At(24, 0)[0]);
  EXPECT_EQ(d.At(0, 0)[0], d.At(16, 0)[0]);
  EXPECT_NE(d.At(0, 0)[0], d.At(8, 0)[0]);
}

TEST(ScanDecode, StuffedFFAtTheStartOfTheScanAndOfARestartInterval) {
  // DC table: code 0 for category 0, code 1 for category 8. A DC of 255 makes
  // the first byte of each interval 0xFF, followed by a stuffed 0x00.
  Bytes b = {0xFF, 0xD8};
  Segment(b, 0xDB, DqtPayload(0x00, 1));
  Segment(b, 0xC0, Sof0Payload(16, 8, {{1, 1, 1, 0}}));
  Segment(b, 0xC4, DhtTablePayload(0x00, FlatTable{1, {0, 8}}));
  Segment(b, 0xC4, DhtTablePayload(0x10, AcTable()));
  Segment(b, 0xDD, {0, 1});
  Segment(b, 0xDA, SosPayload({{1, 0, 0}}));
  BitWriter w;
  for (int mcu = 0; mcu < 2; ++mcu) {
    w.Put(1, 1);     // category 8
    w.Put(255, 8);   // +255
    w.Put(0x00, 8);  // end of block
    if (mcu == 0) w.Marker(0xD0);
  }
  Bytes entropy = w.Finish();
  ASSERT_EQ(entropy[0], 0xFF);
  ASSERT_EQ(entropy[1], 0x00);
  b.insert(b.end(), entropy.begin(), entropy.end());
  Append(b, {0xFF, 0xD9});
  Decoded d = DecodeJpeg(b);
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.At(0, 0)[0], 159);  // 255 / 8 + 128 = 159.875
  EXPECT_EQ(d.At(15, 7)[0], 159);
}

// Coefficients land at their zig-zag positions, dequantized, through ZRL runs.
TEST(ScanDecode, AcCoefficientsRunsAndZrlPlaceCoefficientsInZigzagOrder) {
  BitWriter w;
  // DC 16; AC: zig-zag 1 = 5; 3 zeros then zig-zag 5 = -3; ZRL (16 zeros) then
  // 2 zeros then zig-zag 24 = 7; end of block.
  w.Block(16, {{0, 5}, {3, -3}, {15, 0}, {2, 7}});
  // (15, 0) is written as RS 0xF0 with no magnitude bits: a ZRL.
  Decoded d = DecodeJpeg(GreyStream(8, 8, w.Finish()));
  ASSERT_TRUE(d.ok());

  std::int32_t f[64] = {};
  f[kZigzag[0]] = 16;
  f[kZigzag[1]] = 5;
  f[kZigzag[5]] = -3;
  f[kZigzag[24]] = 7;
  std::int32_t s[64];
  InverseDct(MakeCosineTable(), f, s, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      int want = std::min(255, std::max(0, s[y * 8 + x]));
      ASSERT_EQ(d.At(x, y), (Pixel{want, want, want})) << x << "," << y;
    }
}

TEST(ScanDecode, FullBlockWithoutEndOfBlock) {
  BitWriter w;
  w.Put(0, 4);  // DC category 0
  for (int k = 1; k < 64; ++k) {
    w.Put(0x01, 8);  // run 0, size 1
    w.Put(1, 1);     // +1
  }
  Decoded d = DecodeJpeg(GreyStream(8, 8, w.Finish()));
  ASSERT_TRUE(d.ok());
  std::int32_t f[64];
  for (std::int32_t& v : f) v = 1;
  f[0] = 0;
  std::int32_t s[64];
  InverseDct(MakeCosineTable(), f, s, 8);
  EXPECT_EQ(d.At(3, 5)[0], std::min(255, std::max(0, s[5 * 8 + 3])));
}

TEST(ScanDecode, QuantizationMultipliesEachCoefficient) {
  BitWriter w;
  w.Block(-2);
  Bytes b = GreyStream(8, 8, w.Finish());
  // Table 0 of all ones becomes all fours: DC -8.
  for (std::size_t i = 0; i + 1 < b.size(); ++i) {
    if (b[i] == 0xFF && b[i + 1] == 0xDB) {
      for (int k = 0; k < 64; ++k) b[i + 5 + k] = 4;
      break;
    }
  }
  ExpectEveryPixel(DecodeJpeg(b), {126, 126, 126});
}

TEST(ScanDecode, SubsampledChromaIsReplicated) {
  // 4:2:0, 16x16: four Y blocks with different DCs, one Cb, one Cr.
  BitWriter w;
  w.Block(0);     // Y top-left: DC 0, 128
  w.Block(80);    // Y top-right: DC 80, 138
  w.Block(-160);  // Y bottom-left: DC -80, 117
  w.Block(80);    // Y bottom-right: DC 0, 128
  w.Block(176);   // Cb 150
  w.Block(-303);  // Cr 90
  Decoded d = DecodeJpeg(Stream(16, 16, {{1, 2, 2, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}}, w.Finish()));
  ASSERT_TRUE(d.ok());
  // Same chroma everywhere; the luma of each quadrant.
  EXPECT_EQ(d.At(0, 0), YCbCrPixel(128, 150, 90));
  EXPECT_EQ(d.At(15, 0), YCbCrPixel(138, 150, 90));
  EXPECT_EQ(d.At(0, 15), YCbCrPixel(117, 150, 90));
  EXPECT_EQ(d.At(15, 15), YCbCrPixel(128, 150, 90));
}

TEST(ScanDecode, OneComponentGivesIdenticalPlanes) {
  BitWriter w;
  w.Block(-100, {{0, 50}, {1, -20}, {4, 9}});
  Decoded d = DecodeJpeg(GreyStream(8, 8, w.Finish()));
  ASSERT_TRUE(d.ok());
  for (int i = 0; i < 64; ++i) {
    ASSERT_EQ(d.red[i], d.green[i]);
    ASSERT_EQ(d.red[i], d.blue[i]);
  }
}

TEST(ScanDecode, WidthsNotAMultipleOfEightKeepTheirColumns) {
  // 10x3 grey: two blocks across, one down; the image keeps 10 columns, 3 rows.
  BitWriter w;
  w.Block(8);
  w.Block(-16);
  Decoded d = DecodeJpeg(GreyStream(10, 3, w.Finish()));
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.width, 10);
  EXPECT_EQ(d.height, 3);
  EXPECT_EQ(d.At(7, 2)[0], 129);
  EXPECT_EQ(d.At(8, 2)[0], 126);  // DC 8 - 16 = -8
}

TEST(ScanDecode, ThumbnailGeometryOf160x120At420) {
  ScanGeometry g = ComputeScanGeometry(160, 120, 2, 2);
  EXPECT_EQ(g.mcusH, 10);
  EXPECT_EQ(g.mcusV, 8);
  EXPECT_EQ(g.planeRows, 128);
  EXPECT_EQ(g.planeBytes, 20480u);
  EXPECT_EQ(g.planeBytes, 128u * 160u);
  ScanGeometry odd = ComputeScanGeometry(161, 121, 2, 1);
  EXPECT_EQ(odd.blocksH, 21);
  EXPECT_EQ(odd.mcusH, 11);
  EXPECT_EQ(odd.mcusV, 16);
}

// Entropy-coded data the decoder must reject, with the result of Decode.
TEST(ScanDecode, MalformedEntropyCodedData) {
  struct Case {
    const char* what;
    Bytes stream;
    std::int32_t result;
  };
  auto grey = [](Bytes entropy) { return GreyStream(8, 8, entropy); };
  auto withoutEoi = [](Bytes b) {
    b.resize(b.size() - 2);
    return b;
  };
  BitWriter unmatched;  // DC code 1111 matches no code of the table
  unmatched.Put(0xF, 4);
  BitWriter longRun;  // 63 zeros then a value: past the block
  longRun.Block(0, {{15, 0}, {15, 0}, {15, 0}, {15, 1}}, false);
  BitWriter badValue;  // RS 0x30: size 0 with a run other than 15
  badValue.Block(0, {}, false);
  badValue.Put(0x30, 8);
  BitWriter truncated;
  truncated.Block(8, {{0, 5}}, false);

  Bytes markerInMagnitude = {0x80, 0xFF, 0xD0};  // DC category 8, then RST0 in its bits
  const Case cases[] = {
      {"code matching nothing", grey(unmatched.Finish()), -2},
      {"run past coefficient 63", grey(longRun.Finish()), -2},
      {"size 0 with run 3", grey(badValue.Finish()), -2},
      {"marker inside a magnitude", grey(markerInMagnitude), -2},
      {"data ending inside the scan", withoutEoi(grey(truncated.Finish())), -1},
      {"no entropy-coded data at all", withoutEoi(grey({})), -1},
      {"width 0", Stream(0, 8, {{1, 1, 1, 0}}, {0x47, 0x00}), -2},
      {"height 0 (DNL never read)", Stream(8, 0, {{1, 1, 1, 0}}, {0x47, 0x00}), -2},
      {"a frame too large to allocate", Stream(65535, 65535, {{1, 1, 1, 0}}, {0x47, 0x00}), -1},
  };
  for (const Case& c : cases) {
    CJpegDecoder d;
    ASSERT_EQ(d.LoadFromMemory(c.stream.data(), c.stream.size()), 0) << c.what;
    EXPECT_EQ(d.Decode(), c.result) << c.what;
    Plane r, g, b;
    std::int32_t w, h;
    d.GetImage(r, g, b, w, h);
    EXPECT_FALSE(r || g || b) << c.what << ": a failed decode leaves no planes";
  }
}

TEST(ScanDecode, EmptyHuffmanTableRejectsEveryCode) {
  Bytes b = {0xFF, 0xD8};
  Segment(b, 0xDB, DqtPayload(0x00, 1));
  Segment(b, 0xC0, Sof0Payload(8, 8, {{1, 1, 1, 0}}));
  Segment(b, 0xC4, DhtTablePayload(0x00, FlatTable{4, {}}));  // sixteen counts of 0
  Segment(b, 0xC4, DhtTablePayload(0x10, AcTable()));
  Segment(b, 0xDA, SosPayload({{1, 0, 0}}));
  Append(b, {0x00, 0x00, 0xFF, 0xD9});
  CJpegDecoder d;
  ASSERT_EQ(d.LoadFromMemory(b.data(), b.size()), 0);
  EXPECT_EQ(d.huffmanTable(0, 0).count, 0);
  EXPECT_EQ(d.Decode(), -2);
}

TEST(ScanDecode, DcCategoryBeyond16IsRejected) {
  Bytes b = {0xFF, 0xD8};
  Segment(b, 0xDB, DqtPayload(0x00, 1));
  Segment(b, 0xC0, Sof0Payload(8, 8, {{1, 1, 1, 0}}));
  Segment(b, 0xC4, DhtTablePayload(0x00, FlatTable{1, {200}}));  // code 0 -> category 200
  Segment(b, 0xC4, DhtTablePayload(0x10, AcTable()));
  Segment(b, 0xDA, SosPayload({{1, 0, 0}}));
  Append(b, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xD9});
  CJpegDecoder d;
  ASSERT_EQ(d.LoadFromMemory(b.data(), b.size()), 0);
  EXPECT_EQ(d.Decode(), -2);
}

TEST(ScanDecode, ExtremeCoefficientsDecodeWithoutOverflow) {
  // 16-bit quantization of 65535 and DC differences of category 16 that pile up.
  Bytes b = {0xFF, 0xD8};
  Segment(b, 0xDB, DqtPayload(0x10, 65535));
  Segment(b, 0xC0, Sof0Payload(64, 8, {{1, 1, 1, 0}}));
  Segment(b, 0xC4, DhtTablePayload(0x00, FlatTable{1, {16}}));
  Segment(b, 0xC4, DhtTablePayload(0x10, AcTable()));
  Segment(b, 0xDA, SosPayload({{1, 0, 0}}));
  BitWriter w;
  for (int block = 0; block < 8; ++block) {
    w.Put(0, 1);        // category 16
    w.Put(0xFFFF, 16);  // +65535
    w.Put(0x0F, 8);     // run 0, size 15
    w.Put(0x7FFF, 15);  // +32767
    w.Put(0x00, 8);     // end of block
  }
  Bytes entropy = w.Finish();
  b.insert(b.end(), entropy.begin(), entropy.end());
  Append(b, {0xFF, 0xD9});
  Decoded d = DecodeJpeg(b);
  EXPECT_TRUE(d.ok());
}

}  // namespace
