// The marker analysis: every segment up to the start of the first scan.
#include <cstring>
#include <new>

#include "jpeg/decoder_errors.h"
#include "jpeg/jpeg_decoder.h"
#include "jpeg/zigzag.h"

namespace {

constexpr std::int32_t kSoi = 0xD8;
constexpr std::int32_t kEoi = 0xD9;
constexpr std::int32_t kSof0 = 0xC0;
constexpr std::int32_t kSos = 0xDA;

// Frame processes other than baseline sequential, and DAC, DHP, EXP.
bool IsUnsupportedProcess(std::int32_t m) {
  static constexpr std::int32_t kCodes[] = {0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA,
                                            0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xDE, 0xDF};
  for (std::int32_t code : kCodes)
    if (code == m) return true;
  return false;
}

}  // namespace

const std::uint8_t* CJpegDecoder::Position() const { return reader_->GetPosition(); }

std::int32_t CJpegDecoder::Analysis() {
  analysisState_ = 0;
  while (NextMarker() != kSoi) {
  }
  analysisState_ = 1;
  while (analysisState_ == 1) {
    segmentFlags_ |= ReadSegment(NextMarker());
    if (segmentFlags_ & kFlagSos) break;
  }
  return kDecoderOk;
}

std::int32_t CJpegDecoder::NextMarker() {
  for (;;) {
    while (reader_->GetByte() != 0xFF) {
    }
    std::int32_t m = reader_->GetByte();
    if (m == 0) continue;  // a stuffed zero, not a marker
    if (m > 2 && m < 0xC0) return 0xFF;
    return m;
  }
}

// The length word of a segment whose length is used, less its own two bytes.
// A length below 2 would step backwards over data already read.
std::size_t CJpegDecoder::SegmentDataLength() {
  const std::uint8_t* at = Position();
  std::uint16_t length = reader_->GetWord();
  if (length < 2) throw EDataFormatError{at, "Marker error"};
  return length - 2u;
}

// Runs the action of one marker; the segment's flag, or 0.
std::uint32_t CJpegDecoder::ReadSegment(std::int32_t marker) {
  if (marker == kSof0) {
    reader_->GetWord();
    AnalysisFrame();
    return 0;
  }
  if (IsUnsupportedProcess(marker)) throw ENotSupported{marker, Position()};
  switch (marker) {
    case 0xC4:
      AnalysisDHT(SegmentDataLength());
      return kFlagDht;
    case 0xDB:
      AnalysisDQT(SegmentDataLength());
      return kFlagDqt;
    case kSos:
      reader_->GetWord();
      AnalysisScan();
      return kFlagSos;
    case 0xDD:
      reader_->GetWord();
      restartInterval_ = reader_->GetWord();
      return 0;
    case 0xDC:
      reader_->GetWord();
      height_ = reader_->GetWord();
      return 0;
    case 0xE0:
      return AnalysisApp0(SegmentDataLength());
    case 0xFE:
      AnalysisComment(SegmentDataLength());
      return kFlagComment;
    case kEoi:
      analysisState_ = 0;
      return 0;
    default:
      break;
  }
  if (marker > 0xE0 && marker <= 0xEF) {
    reader_->SkipByte(SegmentDataLength());
    return 0;
  }
  // SOI inside the image, reserved codes, RSTn, JPG extensions, fill bytes.
  throw EDataFormatError{Position() - 1, "Marker error"};
}

void CJpegDecoder::AnalysisDHT(std::size_t length) {
  if (!Position()) throw EDataFormatError{nullptr, "AnalysisDHT:DHT Length"};
  const std::size_t end = reader_->Offset() + length;
  do {
    const std::uint8_t* at = Position();
    std::uint8_t tcth = reader_->GetByte();
    int tc = tcth >> 4, th = tcth & 15;
    if (tc > 1) throw EDataFormatError{at, "AnalysisDHT:Tc"};
    if (th > 3) throw EDataFormatError{at, "AnalysisDHT:Th"};
    std::int32_t bits[16];
    std::int32_t total = 0;
    for (std::int32_t& b : bits) {
      b = reader_->GetByte();
      total += b;
    }
    HuffmanTable& t = huffman_[tc * 4 + th];
    t.count = 0;
    AllocTable(t.sizes, total, 0, "AnalysisDHT:Huffman Size-T");
    AllocTable(t.codes, total, 0, "AnalysisDHT:Huffman Code-T");
    AllocTable(t.values, total, 0, "AnalysisDHT:Huffman Value-T");
    t.count = total;
    // HUFFSIZE (ITU T.81, Figure C.1)
    std::int32_t k = 0;
    for (std::int32_t codeLength = 1; codeLength <= 16; ++codeLength) {
      for (std::int32_t i = 0; i < bits[codeLength - 1]; ++i) {
        if (k >= total) throw EIndexError{total, k, "AnalysisDHT:Size Table Index over"};
        t.sizes[k++] = codeLength;
      }
    }
    // HUFFCODE (Figure C.2): consecutive codes within a size, shifted left per size step.
    std::uint32_t code = 0;
    k = 0;
    std::int32_t size = total > 0 ? t.sizes[0] : 0;
    while (k < total) {
      while (k < total && t.sizes[k] == size) {
        t.codes[k++] = static_cast<std::int32_t>(code++);
      }
      if (k >= total) break;
      while (t.sizes[k] != size) {
        code <<= 1;
        ++size;
      }
    }
    // HUFFVAL
    for (k = 0; k < total; ++k) t.values[k] = reader_->GetByte();
  } while (reader_->Offset() < end);
}

void CJpegDecoder::AnalysisDQT(std::size_t length) {
  const std::size_t end = reader_->Offset() + length;
  do {
    std::uint8_t pqtq = reader_->GetByte();
    std::int32_t* table = quantization_[pqtq & 3];
    const bool words = (pqtq >> 4) != 0;
    for (int k = 0; k < 64; ++k)
      table[kZigzag[k]] = words ? reader_->GetWord() : reader_->GetByte();
  } while (reader_->Offset() < end);
}

// Only frames this decoder can lay out are taken: one component sampled 1x1,
// or three whose factors are each 1 or the largest, with quantization
// selectors 0 to 3. Anything else would make blocks overlap or index outside
// the tables, and is refused before the frame replaces the current one.
void CJpegDecoder::AnalysisFrame() {
  std::int32_t precision = reader_->GetByte();
  std::int32_t height = reader_->GetWord();
  std::int32_t width = reader_->GetWord();
  std::int32_t count = reader_->GetByte();
  if (count != 1 && count != 3) throw ENotSupported{kSof0, Position()};
  FrameComponent components[3];
  int hmax = 0, vmax = 0;
  for (int i = 0; i < count; ++i) {
    FrameComponent& c = components[i];
    c.id = reader_->GetByte();
    std::uint8_t hv = reader_->GetByte();
    c.h = hv >> 4;
    c.v = hv & 15;
    if (c.h > hmax) hmax = c.h;
    if (c.v > vmax) vmax = c.v;
    c.tq = reader_->GetByte();
  }
  for (int i = 0; i < count; ++i) {
    const FrameComponent& c = components[i];
    bool fits = c.h != 0 && c.v != 0 && c.tq <= 3 && (c.h == 1 || c.h == hmax) &&
                (c.v == 1 || c.v == vmax) && (count == 3 || (c.h == 1 && c.v == 1));
    if (!fits) throw ENotSupported{kSof0, Position()};
  }
  samplePrecision_ = precision;
  height_ = height;
  width_ = width;
  componentCount_ = count;
  for (int i = 0; i < 3; ++i) frame_[i] = components[i];
  hmax_ = static_cast<std::int8_t>(hmax);
  vmax_ = static_cast<std::int8_t>(vmax);
}

// The scan must carry every frame component, interleaved: decoding pairs
// frame component k with scan component k.
void CJpegDecoder::AnalysisScan() {
  std::int32_t ns = reader_->GetByte();
  if (ns > 3) throw ENotSupported{kSos, Position()};
  scanHeader_[0] = static_cast<std::uint8_t>(ns);
  for (int i = 0; i < ns; ++i) {
    std::uint8_t cs = reader_->GetByte();
    std::uint8_t tdta = reader_->GetByte();
    std::int32_t td = tdta >> 4, ta = tdta & 15;
    if (td > 2) throw EIndexError{2, td, "AnalysisScan:Td Over"};
    if (ta > 2) throw EIndexError{2, ta, "AnalysisScan:Ta Over"};
    scan_[i] = {cs, static_cast<std::uint8_t>(td), static_cast<std::uint8_t>(ta)};
  }
  scanHeader_[1] = reader_->GetByte();
  scanHeader_[2] = reader_->GetByte();
  std::uint8_t ahal = reader_->GetByte();
  scanHeader_[3] = ahal >> 4;
  scanHeader_[4] = ahal & 15;
  if (ns != componentCount_) throw ENotSupported{kSos, Position()};
}

// JFIF and JFXX segments fill informative fields. One too short for its
// fields is skipped like an unknown segment rather than read into the next.
std::uint32_t CJpegDecoder::AnalysisApp0(std::size_t n) {
  if (n < 5) {
    reader_->SkipByte(n);
    return 0;
  }
  std::uint8_t identifier[5];
  reader_->CopyByte(identifier, 5);
  if (std::memcmp(identifier, "JFIF", 4) == 0 && n >= 14) {
    jfifKind_ = 1;
    jfifVersion_[0] = reader_->GetByte();
    jfifVersion_[1] = reader_->GetByte();
    densityUnits_ = reader_->GetByte();
    xDensity_ = reader_->GetWord();
    yDensity_ = reader_->GetWord();
    xThumbnail_ = reader_->GetByte();
    yThumbnail_ = reader_->GetByte();
    reader_->SkipByte(n - 14);
    return kFlagJfif;
  }
  if (std::memcmp(identifier, "JFXX", 4) == 0 && n >= 6) {
    jfifKind_ = 2;
    jfxxExtension_ = reader_->GetByte();
    reader_->SkipByte(n - 6);
    return 0;
  }
  reader_->SkipByte(n - 5);
  return 0;
}

void CJpegDecoder::AnalysisComment(std::size_t n) {
  std::unique_ptr<char[]> text(new (std::nothrow) char[n + 1]);
  if (!text) throw EMemoryError{static_cast<std::uint32_t>(n + 1), "AnalysisCOM:Comment"};
  reader_->CopyByte(reinterpret_cast<std::uint8_t*>(text.get()), n);
  text[n] = '\0';
  comment_ = std::move(text);
}
