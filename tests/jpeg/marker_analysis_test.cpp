// The marker analysis that LoadFromMemory runs up to the first scan.
#include <gtest/gtest.h>

#include "jpeg/jpeg_decoder.h"
#include "tests/jpeg/decode_helpers.h"
#include "tests/jpeg/jpeg_builder.h"

namespace {

using namespace jpegtest;

Bytes Soi() { return {0xFF, 0xD8}; }

// A complete grey 8x8 stream whose one block has DC -8: every pixel 126.
Bytes Grey126() {
  BitWriter w;
  w.Block(-8);
  return GreyStream(8, 8, w.Finish());
}

std::int32_t Load(CJpegDecoder& d, const Bytes& b) { return d.LoadFromMemory(b.data(), b.size()); }

TEST(MarkerAnalysis, ReadsUpToTheScanAndStopsOnItsFirstByte) {
  Bytes b = Grey126();
  CJpegDecoder d;
  ASSERT_EQ(Load(d, b), 0);
  EXPECT_EQ(d.segmentFlags(),
            CJpegDecoder::kFlagDht | CJpegDecoder::kFlagDqt | CJpegDecoder::kFlagSos);
  EXPECT_EQ(d.width(), 8);
  EXPECT_EQ(d.height(), 8);
  EXPECT_EQ(d.componentCount(), 1);
  EXPECT_EQ(d.samplePrecision(), 8);
  EXPECT_EQ(d.analysisState(), 1);
  // SOS segment: FF DA 00 08 01 01 00 00 3F 00, then the entropy-coded data.
  const std::size_t sos = b.size() - 2 - 2 - 10;  // entropy (2 bytes) and EOI at the end
  EXPECT_EQ(d.readerOffset(), sos + 10);
}

TEST(MarkerAnalysis, BytesBeforeSoiAreSkipped) {
  Bytes b = {0x00, 0x12, 0xFF, 0x00, 0x77};
  Bytes rest = Grey126();
  b.insert(b.end(), rest.begin(), rest.end());
  Decoded d = DecodeJpeg(b);
  ASSERT_TRUE(d.ok());
  EXPECT_EQ(d.At(0, 0), (std::vector<int>{126, 126, 126}));
}

TEST(MarkerAnalysis, EoiBeforeAnyScanEndsTheAnalysisAndNothingDecodes) {
  Bytes b = Soi();
  Segment(b, 0xDB, DqtPayload(0x00, 1));
  Append(b, {0xFF, 0xD9, 0xFF, 0xDA});  // what follows EOI is not read
  CJpegDecoder d;
  EXPECT_EQ(Load(d, b), 0);
  EXPECT_EQ(d.segmentFlags() & CJpegDecoder::kFlagSos, 0u);
  EXPECT_EQ(d.analysisState(), 0);
  EXPECT_EQ(d.Decode(), -2);
}

TEST(MarkerAnalysis, DecodeWithoutAnyLoadIsRefused) {
  CJpegDecoder d;
  EXPECT_EQ(d.Decode(), -2);
  Plane r, g, b;
  std::int32_t w = -1, h = -1;
  d.GetImage(r, g, b, w, h);
  EXPECT_FALSE(r);
}

TEST(MarkerAnalysis, OneDhtSegmentWithFourTablesFillsAllFourAndALaterOneReplaces) {
  Bytes payload;
  for (int tcth : {0x00, 0x01, 0x12, 0x13}) {
    Bytes t = DhtTablePayload(tcth, tcth & 0x10 ? AcTable() : DcTable());
    payload.insert(payload.end(), t.begin(), t.end());
  }
  Bytes b = Soi();
  Segment(b, 0xC4, payload);
  Segment(b, 0xC4, DhtTablePayload(0x01, FlatTable{2, {7, 8, 9}}));
  Append(b, {0xFF, 0xD9});
  CJpegDecoder d;
  ASSERT_EQ(Load(d, b), 0);
  EXPECT_EQ(d.huffmanTable(0, 0).count, 12);
  EXPECT_EQ(d.huffmanTable(1, 2).count, 255);
  EXPECT_EQ(d.huffmanTable(1, 3).count, 255);
  const auto& replaced = d.huffmanTable(0, 1);
  ASSERT_EQ(replaced.count, 3);
  EXPECT_EQ(replaced.sizes[2], 2);
  EXPECT_EQ(replaced.codes[2], 2);
  EXPECT_EQ(replaced.values[2], 9);
  EXPECT_EQ(d.huffmanTable(1, 0).count, 0);
}

TEST(MarkerAnalysis, HuffmanCodesAreAssignedCanonically) {
  // Two codes of length 2, one of 3, two of 5: 00 01 100 10100 10101.
  Bytes payload = {0x00, 0, 2, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5};
  Bytes b = Soi();
  Segment(b, 0xC4, payload);
  Append(b, {0xFF, 0xD9});
  CJpegDecoder d;
  ASSERT_EQ(Load(d, b), 0);
  const auto& t = d.huffmanTable(0, 0);
  ASSERT_EQ(t.count, 5);
  const std::int32_t codes[] = {0b00, 0b01, 0b100, 0b10100, 0b10101};
  const std::int32_t sizes[] = {2, 2, 3, 5, 5};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(t.codes[k], codes[k]) << k;
    EXPECT_EQ(t.sizes[k], sizes[k]) << k;
  }
}

TEST(MarkerAnalysis, DqtSelectsTableAndPrecisionFromItsByte) {
  Bytes b = Soi();
  Segment(b, 0xDB, DqtPayload(0x13, 0x1234));  // 16-bit values, table 3
  Segment(b, 0xDB, DqtPayload(0x05, 0x56));    // 8-bit values, identifier 5 folds onto 1
  Append(b, {0xFF, 0xD9});
  CJpegDecoder d;
  ASSERT_EQ(Load(d, b), 0);
  EXPECT_EQ(d.quantizationTable(3)[63], 0x1234);
  EXPECT_EQ(d.quantizationTable(1)[0], 0x56);
  EXPECT_EQ(d.quantizationTable(0)[0], 0);
}

TEST(MarkerAnalysis, DqtValuesAreStoredInNaturalOrder) {
  Bytes payload = {0x00};
  for (int k = 0; k < 64; ++k) payload.push_back(static_cast<std::uint8_t>(k));
  Bytes b = Soi();
  Segment(b, 0xDB, payload);
  Append(b, {0xFF, 0xD9});
  CJpegDecoder d;
  ASSERT_EQ(Load(d, b), 0);
  const std::int32_t* q = d.quantizationTable(0);
  EXPECT_EQ(q[1], 1);   // zig-zag 1 is (u 1, v 0)
  EXPECT_EQ(q[8], 2);   // zig-zag 2 is (u 0, v 1)
  EXPECT_EQ(q[16], 3);  // zig-zag 3 is (u 0, v 2)
  EXPECT_EQ(q[63], 63);
}

TEST(MarkerAnalysis, JfifJfxxAndCommentSegmentsAreReadAndSkippedToTheirEnds) {
  Bytes b = Soi();
  Segment(b, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 2, 1, 0, 72, 0, 96, 2, 1, 9, 9, 9, 9, 9, 9});
  Segment(b, 0xE0, {'J', 'F', 'X', 'X', 0, 0x13, 0xFF, 0xD9, 0xFF, 0xD9});
  Segment(b, 0xE5, {0xFF, 0xD9, 1, 2});
  Segment(b, 0xFE, {'h', 'i', 0xFF, 0xD9});
  Bytes rest = Grey126();
  b.insert(b.end(), rest.begin() + 2, rest.end());
  CJpegDecoder d;
  ASSERT_EQ(Load(d, b), 0);
  EXPECT_EQ(d.jfifKind(), 2u);
  EXPECT_EQ(d.jfxxExtensionCode(), 0x13u);
  EXPECT_TRUE(d.segmentFlags() & CJpegDecoder::kFlagJfif);
  EXPECT_TRUE(d.segmentFlags() & CJpegDecoder::kFlagComment);
  EXPECT_STREQ(d.comment(), "hi\xFF\xD9");
  EXPECT_EQ(d.Decode(), 0);
}

TEST(MarkerAnalysis, ShortJfifSegmentIsSkippedWithoutReadingTheNextSegment) {
  Bytes b = Soi();
  Segment(b, 0xE0, {'J', 'F', 'I', 'F', 0, 1});
  Bytes rest = Grey126();
  b.insert(b.end(), rest.begin() + 2, rest.end());
  CJpegDecoder d;
  ASSERT_EQ(Load(d, b), 0);
  EXPECT_EQ(d.Decode(), 0);
}

TEST(MarkerAnalysis, RestartIntervalAndDnlHeight) {
  Bytes b = Soi();
  Segment(b, 0xDD, {0x01, 0x02});
  Segment(b, 0xC0, Sof0Payload(16, 16, {{1, 1, 1, 0}}));
  Segment(b, 0xDC, {0x00, 0x30});
  Append(b, {0xFF, 0xD9});
  CJpegDecoder d;
  ASSERT_EQ(Load(d, b), 0);
  EXPECT_EQ(d.restartInterval(), 0x102);
  EXPECT_EQ(d.height(), 0x30);
}

// Streams the analysis refuses, each with its result.
TEST(MarkerAnalysis, RefusedStreams) {
  auto withFrame = [](const Bytes& sof, int marker = 0xC0) {
    Bytes b = {0xFF, 0xD8};
    Segment(b, marker, sof);
    Append(b, {0xFF, 0xD9});
    return b;
  };
  auto withScan = [](const Bytes& sos, int components = 1) {
    Bytes b = {0xFF, 0xD8};
    if (components == 1) {
      Segment(b, 0xC0, Sof0Payload(8, 8, {{1, 1, 1, 0}}));
    } else {
      Segment(b, 0xC0, Sof0Payload(8, 8, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}}));
    }
    Segment(b, 0xDA, sos);
    return b;
  };
  struct Case {
    const char* what;
    Bytes stream;
    std::int32_t result;
  };
  const Case cases[] = {
      {"progressive frame", withFrame(Sof0Payload(8, 8, {{1, 1, 1, 0}}), 0xC2), -2},
      {"arithmetic frame", withFrame(Sof0Payload(8, 8, {{1, 1, 1, 0}}), 0xC9), -2},
      {"DAC", withFrame({0x00}, 0xCC), -2},
      {"two components", withFrame(Sof0Payload(8, 8, {{1, 1, 1, 0}, {2, 1, 1, 0}})), -2},
      {"four components",
       withFrame(Sof0Payload(8, 8, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}, {4, 1, 1, 0}})), -2},
      {"one component sampled 2x2", withFrame(Sof0Payload(8, 8, {{1, 2, 2, 0}})), -2},
      {"sampling factor 0", withFrame(Sof0Payload(8, 8, {{1, 0, 1, 0}})), -2},
      {"factor neither 1 nor the largest",
       withFrame(Sof0Payload(8, 8, {{1, 4, 1, 0}, {2, 2, 1, 0}, {3, 1, 1, 0}})), -2},
      {"quantization selector 4", withFrame(Sof0Payload(8, 8, {{1, 1, 1, 4}})), -2},
      {"scan with 4 components", withScan({4, 1, 0, 2, 0, 3, 0, 4, 0, 0, 63, 0}), -2},
      {"scan without all frame components", withScan({1, 1, 0, 0, 63, 0}, 3), -2},
      {"scan before any frame", Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0}, -2},
      {"DC table selector 3", withScan({1, 1, 0x30, 0, 63, 0}), -2},
      {"AC table selector 3", withScan({1, 1, 0x03, 0, 63, 0}), -2},
      {"DHT class 2", withFrame({0x20}, 0xC4), -2},
      {"DHT identifier 4", withFrame({0x04}, 0xC4), -2},
      {"fill bytes before a marker", Bytes{0xFF, 0xD8, 0xFF, 0xFF, 0xD9}, -2},
      {"second SOI", Bytes{0xFF, 0xD8, 0xFF, 0xD8}, -2},
      {"RST0 among the segments", Bytes{0xFF, 0xD8, 0xFF, 0xD0}, -2},
      {"reserved code", Bytes{0xFF, 0xD8, 0xFF, 0x02}, -2},
      {"JPG extension", Bytes{0xFF, 0xD8, 0xFF, 0xF0}, -2},
      {"APP segment length 0", Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x00, 0xFF, 0xD9}, -2},
      {"COM segment length 1", Bytes{0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x01, 0xFF, 0xD9}, -2},
      {"segment longer than the data", Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x10, 1, 2}, -2},
      {"no SOI at all", Bytes{0x01, 0x02, 0xFF, 0xD9}, -2},
      {"nothing at all", Bytes{}, -2},
      {"ends inside the frame header", Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x0B, 8, 0}, -2},
  };
  for (const Case& c : cases) {
    CJpegDecoder d;
    EXPECT_EQ(Load(d, c.stream), c.result) << c.what;
    EXPECT_EQ(d.Decode(), -2) << c.what;
  }
}

TEST(MarkerAnalysis, TablesReadBeforeAFaultStay) {
  Bytes b = Soi();
  Segment(b, 0xDB, DqtPayload(0x02, 7));
  Append(b, {0xFF, 0xC2});
  CJpegDecoder d;
  EXPECT_EQ(Load(d, b), -2);
  EXPECT_EQ(d.quantizationTable(2)[5], 7);
}

}  // namespace
