#pragma once
// Decodes one baseline JPEG stream (SOF0, Huffman coding, one or three
// components, one interleaved scan, restart intervals) from memory into red,
// green and blue byte planes. Faults are exceptions inside and result codes
// outside: 0 success, -1 or -2 failure.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "jpeg/alloc_table.h"
#include "jpeg/byte_reader.h"
#include "jpeg/decoder_errors.h"
#include "jpeg/inverse_dct.h"

using Plane = std::unique_ptr<std::uint8_t[]>;

class CJpegDecoder {
 public:
  // Segment flags: which segments the analysis has read.
  static constexpr std::uint32_t kFlagDht = 1;
  static constexpr std::uint32_t kFlagDqt = 2;
  static constexpr std::uint32_t kFlagJfif = 4;
  static constexpr std::uint32_t kFlagComment = 8;
  static constexpr std::uint32_t kFlagSos = 16;

  struct HuffmanTable {
    std::int32_t count = 0;  // number of codes; 0 for an empty table
    IntTable sizes, codes, values;
  };
  struct FrameComponent {
    std::uint8_t id = 0, h = 0, v = 0, tq = 0;
  };
  struct ScanComponent {
    std::uint8_t cs = 0, td = 0, ta = 0;
  };

  CJpegDecoder();
  ~CJpegDecoder();
  CJpegDecoder(const CJpegDecoder&) = delete;
  CJpegDecoder& operator=(const CJpegDecoder&) = delete;

  // Reads every marker segment up to the first scan. The data must stay alive
  // until decoding is done. kDecoderOk, or kDecoderFault after EMemoryError,
  // kDecoderBadData after any other fault.
  std::int32_t LoadFromMemory(const std::uint8_t* data, std::size_t size);
  // Decodes the scan into the planes. kDecoderOk, or kDecoderFault after
  // EMemoryError, EIndexError or EBufferError, kDecoderBadData after
  // EDataFormatError or ENotSupported and when the analysis reached no scan of
  // a frame. On failure there are no planes.
  std::int32_t Decode();
  // Hands the planes (rows of width bytes, top row first) to the caller, who
  // owns them from then on; the width and height of the frame.
  void GetImage(Plane& red, Plane& green, Plane& blue, std::int32_t& width, std::int32_t& height);

  // What the analysis read (informative).
  std::uint32_t segmentFlags() const { return segmentFlags_; }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  std::int32_t componentCount() const { return componentCount_; }
  std::int32_t samplePrecision() const { return samplePrecision_; }
  std::int32_t restartInterval() const { return restartInterval_; }
  std::int32_t hmax() const { return hmax_; }
  std::int32_t vmax() const { return vmax_; }
  const char* comment() const { return comment_.get(); }
  std::uint32_t jfifKind() const { return jfifKind_; }
  std::uint32_t jfxxExtensionCode() const { return jfxxExtension_; }
  std::int32_t analysisState() const { return analysisState_; }
  const HuffmanTable& huffmanTable(int tableClass, int id) const {
    return huffman_[tableClass * 4 + id];
  }
  const std::int32_t* quantizationTable(int id) const { return quantization_[id]; }
  const FrameComponent& frameComponent(int i) const { return frame_[i]; }
  const ScanComponent& scanComponent(int i) const { return scan_[i]; }
  // Offset of the reader in the data: after the analysis, the first byte of
  // the entropy-coded data.
  std::size_t readerOffset() const { return reader_ ? reader_->Offset() : 0; }

 private:
  // Marker analysis
  std::int32_t Analysis();
  std::int32_t NextMarker();
  std::uint32_t ReadSegment(std::int32_t marker);
  std::size_t SegmentDataLength();
  void AnalysisDHT(std::size_t length);
  void AnalysisDQT(std::size_t length);
  void AnalysisFrame();
  void AnalysisScan();
  std::uint32_t AnalysisApp0(std::size_t length);
  void AnalysisComment(std::size_t length);
  const std::uint8_t* Position() const;

  // Decoding
  void DecodeMcu();
  void DecodeHuffman(int component);
  std::int32_t Decode1HuffmanCode(int tableClass, int component);
  std::int32_t ReceiveExtend(int size);
  void Dequantize(int component);
  void ConvertMcu(std::int32_t mcuX, std::int32_t mcuY);
  void FreePlanes();

  Plane rgb_[3];
  IntTable units_[3];
  std::int32_t predictors_[3] = {0, 0, 0};
  std::int32_t coefficients_[64] = {};
  std::int32_t samples_[64] = {};
  std::uint32_t segmentFlags_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::int32_t componentCount_ = 0;  // 0 until a frame header is read
  std::int32_t samplePrecision_ = 0;
  std::unique_ptr<char[]> comment_;
  std::uint32_t jfifKind_ = 0;
  std::uint8_t jfifVersion_[2] = {0, 0};
  std::uint32_t densityUnits_ = 0;
  std::uint32_t xDensity_ = 1, yDensity_ = 1;
  std::uint32_t xThumbnail_ = 0, yThumbnail_ = 0;
  std::uint32_t jfxxExtension_ = 0;
  std::uint8_t scanHeader_[5] = {};  // Ns, Ss, Se, Ah, Al
  FrameComponent frame_[3];
  ScanComponent scan_[3];
  HuffmanTable huffman_[8];
  std::int32_t quantization_[4][64] = {};
  CosineTable cosine_;
  std::int32_t analysisState_ = 0;
  std::unique_ptr<CByteReader> reader_;
  const std::uint8_t* data_ = nullptr;
  std::int8_t hmax_ = 0, vmax_ = 0;
  std::int32_t restartInterval_ = 0;
};
