#pragma once
// A small device-independent bitmap: a header block (BITMAPINFOHEADER and its
// colour table) and a block of pixel rows, painted through a DibPainter.
#include <cstdint>
#include <memory>

#include "jpeg/dib_painter.h"

class CDib {
 public:
  CDib() = default;
  virtual ~CDib();
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;

  // Builds a new header and pixel block of width x height at bitsPerPixel (1,
  // 4, 8, 16, 24 or 32) and copies the given pixel rows and colour-table
  // entries into them (either may be null). An image already held is freed
  // first. False, leaving the object unchanged, for another depth and for a
  // size it cannot hold or allocate: nothing is thrown out of the bitmap.
  bool Create(std::int32_t width, std::int32_t height, int bitsPerPixel, const std::uint8_t* pixels,
              const RgbQuad* colours);
  // Draws the whole image at the painter's origin from source (x, y); false
  // when there is no image.
  bool Paint(DibPainter& painter, int x, int y) const;
  // Frees the image; Paint then draws nothing.
  void Clear();

  bool HasImage() const { return header_ != nullptr; }
  // Only while an image is held.
  const BitmapInfoHeader& Header() const { return *header_; }
  std::uint32_t HeaderBlockSize() const { return headerBlockSize_; }
  const RgbQuad* ColourTable() const { return colourTable_; }
  std::uint32_t ColourCount() const { return colourCount_; }
  const std::uint8_t* Pixels() const { return pixels_.get(); }
  std::uint32_t ImageSize() const { return imageSize_; }

 private:
  // The header block: the header followed by the colour table.
  std::unique_ptr<std::uint8_t[]> headerBlock_;
  std::uint32_t headerBlockSize_ = 0;
  BitmapInfoHeader* header_ = nullptr;
  std::uint32_t imageSize_ = 0;
  RgbQuad* colourTable_ = nullptr;
  std::uint32_t colourCount_ = 0;
  std::unique_ptr<std::uint8_t[]> pixels_;
};

// Stride of a row: width * bits per pixel rounded up to whole 32-bit words.
std::uint64_t DibRowBytes(std::int64_t width, int bitsPerPixel);
