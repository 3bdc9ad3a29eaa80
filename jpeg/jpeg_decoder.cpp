#include "jpeg/jpeg_decoder.h"

#include <new>

#include "jpeg/decoder_errors.h"

CJpegDecoder::CJpegDecoder() : cosine_(MakeCosineTable()) {}

// Planes that were decoded but never taken with GetImage are freed with the
// decoder, so an abandoned decode cannot leak them.
CJpegDecoder::~CJpegDecoder() = default;

std::int32_t CJpegDecoder::LoadFromMemory(const std::uint8_t* data, std::size_t size) {
  return WithResultCodes(DecoderStage::kAnalysis, [&] {
    reader_.reset();
    reader_.reset(new (std::nothrow) CByteReader(data, size));
    if (!reader_)
      throw EMemoryError{static_cast<std::uint32_t>(sizeof(CByteReader)), "LoadFromMemory:Reader"};
    data_ = data;
    return Analysis();
  });
}

void CJpegDecoder::GetImage(Plane& red, Plane& green, Plane& blue, std::int32_t& width,
                            std::int32_t& height) {
  red = std::move(rgb_[0]);
  green = std::move(rgb_[1]);
  blue = std::move(rgb_[2]);
  width = width_;
  height = height_;
}

void CJpegDecoder::FreePlanes() {
  for (Plane& p : rgb_) p.reset();
}
