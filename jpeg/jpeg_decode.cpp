// The decoding stage: Huffman decoding with DC prediction, dequantization, the
// inverse DCT, chroma replication and colour conversion, MCU by MCU.
#include <algorithm>
#include <new>

#include "jpeg/colour_conversion.h"
#include "jpeg/decoder_errors.h"
#include "jpeg/jpeg_decoder.h"
#include "jpeg/scan_geometry.h"
#include "jpeg/zigzag.h"

namespace {

constexpr int kDcClass = 0;
constexpr int kAcClass = 1;
// Magnitude categories above 16 exist in no JPEG process and would overflow
// the bit arithmetic.
constexpr int kMaxMagnitudeSize = 16;

// Corrupt streams can drive the DC predictor and the dequantized coefficients
// beyond 32 bits; they wrap instead of overflowing.
std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t WrappingMultiply(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

}  // namespace

std::int32_t CJpegDecoder::Decode() {
  // Nothing to decode unless the analysis reached a scan of a frame.
  if (!(segmentFlags_ & kFlagSos) || componentCount_ == 0 || !reader_) return kDecoderBadData;
  const std::int32_t code = WithResultCodes(DecoderStage::kDecode, [&] {
    if (width_ <= 0 || height_ <= 0) throw ENotSupported{0xC0, nullptr};
    const ScanGeometry g = ComputeScanGeometry(width_, height_, hmax_, vmax_);
    if (g.planeBytes > kMaxPlaneBytes)
      throw EMemoryError{static_cast<std::uint32_t>(std::min<std::uint64_t>(g.planeBytes, ~0u)),
                         "Decode:mRgbP[0]"};
    static const char* const kPlaneMessages[3] = {"Decode:mRgbP[0]", "Decode:mRgbP[1]",
                                                  "Decode:mRgbP[2]"};
    for (int p = 0; p < 3; ++p) {
      rgb_[p].reset(new (std::nothrow) std::uint8_t[g.planeBytes]());
      if (!rgb_[p]) throw EMemoryError{static_cast<std::uint32_t>(g.planeBytes), kPlaneMessages[p]};
    }
    const std::size_t unitSize = std::size_t(hmax_) * std::size_t(vmax_) * 64;
    AllocTable(units_[0], unitSize, 0, "Disconvert unit1");
    AllocTable(units_[1], unitSize, 128, "Disconvert unit2");
    AllocTable(units_[2], unitSize, 128, "Disconvert unit3");
    predictors_[0] = predictors_[1] = predictors_[2] = 0;
    std::int32_t restartCounter = 0;
    for (std::int32_t mcuY = 0; mcuY < g.mcusV; ++mcuY) {
      for (std::int32_t mcuX = 0; mcuX < g.mcusH; ++mcuX) {
        DecodeMcu();
        ConvertMcu(mcuX, mcuY);
        if (restartInterval_ != 0 && ++restartCounter == restartInterval_) {
          restartCounter = 0;
          std::int32_t m = NextMarker();
          if (m >= 0xD0 && m <= 0xD7) predictors_[0] = predictors_[1] = predictors_[2] = 0;
        }
      }
    }
    for (IntTable& unit : units_) unit.reset();
    return kDecoderOk;
  });
  // On failure there are no planes.
  if (code != kDecoderOk) FreePlanes();
  return code;
}

void CJpegDecoder::DecodeMcu() {
  const int unitWidth = 8 * hmax_;
  for (int c = 0; c < componentCount_; ++c) {
    const FrameComponent& fc = frame_[c];
    const int hf = hmax_ / fc.h;
    const int vf = vmax_ / fc.v;
    std::int32_t* unit = units_[c].get();
    for (int v = 0; v < fc.v; ++v) {
      for (int h = 0; h < fc.h; ++h) {
        DecodeHuffman(c);
        Dequantize(c);
        InverseDct(cosine_, coefficients_, samples_, samplePrecision_);
        // Each sample covers hf x vf positions of the unit.
        for (int r = 0; r < 8 * vf; ++r) {
          std::int32_t* row = unit + (8 * v + r) * unitWidth + 8 * h;
          const std::int32_t* source = samples_ + (r / vf) * 8;
          for (int j = 0; j < 8 * hf; ++j) row[j] = source[j / hf];
        }
      }
    }
  }
}

// Reads a magnitude of the given size and extends it to its signed value
// (EXTEND of ITU T.81, Figure F.12). A marker met on the way is an error.
std::int32_t CJpegDecoder::ReceiveExtend(int size) {
  std::int32_t d = reader_->GetBits(size);
  if (d < 0) throw EDataFormatError{Position(), "DecodeHuffman:Error Marker"};
  if (((d >> (size - 1)) & 1) == 0) d = d + 1 - (std::int32_t{1} << size);
  return d;
}

void CJpegDecoder::DecodeHuffman(int c) {
  std::int32_t s = Decode1HuffmanCode(kDcClass, c);
  if (s < 0) throw EDataFormatError{Position(), "DecodeHuffman:Error Marker"};
  if (s > kMaxMagnitudeSize)
    throw EDataFormatError{Position(), "DecodeHuffman:wrong Huffman value"};
  std::int32_t d = s > 0 ? ReceiveExtend(s) : 0;
  predictors_[c] = WrappingAdd(predictors_[c], d);
  coefficients_[0] = predictors_[c];
  int k = 1;
  while (k < 64) {
    std::int32_t rs = Decode1HuffmanCode(kAcClass, c);
    if (rs == 0) {
      for (; k < 64; ++k) coefficients_[kZigzag[k]] = 0;
      break;
    }
    if (rs < 0) throw EDataFormatError{Position(), "DecodeHuffman:Error Marker"};
    int r = rs / 16, size = rs % 16;
    if (size != 0) {
      d = ReceiveExtend(size);
    } else if (r != 15) {
      throw EDataFormatError{Position(), "DecodeHuffman:wrong Huffman value"};
    } else {
      d = 0;  // ZRL: sixteen zeros
    }
    if (r + k > 63) throw EDataFormatError{Position(), "DecodeHuffman:wrong Run length"};
    for (; r > 0; --r) coefficients_[kZigzag[k++]] = 0;
    coefficients_[kZigzag[k++]] = d;
  }
}

// The canonical search of ITU T.81 (DECODE, Figure F.16) over the arrays the
// DHT analysis built. A marker met while reading returns its negative code.
std::int32_t CJpegDecoder::Decode1HuffmanCode(int tableClass, int c) {
  const int selector = tableClass == kDcClass ? scan_[c].td : scan_[c].ta;
  const HuffmanTable& t = huffman_[tableClass * 4 + selector];
  if (t.count <= 0) throw EDataFormatError{Position(), "Decode1HuffmanCode:length over"};
  std::int32_t code = 0;
  std::int32_t k = 0;
  for (int length = 1;; ++length) {
    if (length > 16) throw EDataFormatError{Position(), "Decode1HuffmanCode:length over"};
    std::int32_t bit = reader_->GetBits(1);
    if (bit < 0) return bit;
    code = code * 2 + bit;
    while (k < t.count && t.sizes[k] == length) {
      if (t.codes[k] == code) return t.values[k];
      ++k;
    }
    if (k >= t.count) throw EDataFormatError{Position(), "Decode1HuffmanCode:length over"};
  }
}

void CJpegDecoder::Dequantize(int c) {
  const std::int32_t* q = quantization_[frame_[c].tq];
  for (int i = 0; i < 64; ++i) coefficients_[i] = WrappingMultiply(coefficients_[i], q[i]);
}

// Columns beyond the image width are left out; rows below the image height
// fill the plane's last MCU row.
void CJpegDecoder::ConvertMcu(std::int32_t mcuX, std::int32_t mcuY) {
  const int unitWidth = 8 * hmax_;
  const int unitHeight = 8 * vmax_;
  const std::int32_t x0 = mcuX * unitWidth;
  const std::int32_t y0 = mcuY * unitHeight;
  const int columns = std::min<std::int32_t>(unitWidth, width_ - x0);
  for (int r = 0; r < unitHeight; ++r) {
    const std::size_t rowStart = std::size_t(y0 + r) * std::size_t(width_) + std::size_t(x0);
    const std::int32_t* y = units_[0].get() + r * unitWidth;
    const std::int32_t* cb = units_[1].get() + r * unitWidth;
    const std::int32_t* cr = units_[2].get() + r * unitWidth;
    for (int j = 0; j < columns; ++j) {
      Rgb rgb = YCbCrToRgb(y[j], cb[j], cr[j]);
      rgb_[0][rowStart + j] = rgb.red;
      rgb_[1][rowStart + j] = rgb.green;
      rgb_[2][rowStart + j] = rgb.blue;
    }
  }
}
