#include "jpeg/dib.h"

#include <cstring>
#include <limits>
#include <new>

namespace {

// Colour-table entries by bits per pixel; -1 for a depth the bitmap does not know.
int ColourCountFor(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    case 16:
    case 24:
    case 32:
      return 0;
    default:
      return -1;
  }
}

}  // namespace

std::uint64_t DibRowBytes(std::int64_t width, int bitsPerPixel) {
  return 4 *
         ((static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel) + 31) / 32);
}

CDib::~CDib() { Clear(); }

void CDib::Clear() {
  headerBlock_.reset();
  header_ = nullptr;
  colourTable_ = nullptr;
  headerBlockSize_ = 0;
  pixels_.reset();
  imageSize_ = 0;
  colourCount_ = 0;
}

bool CDib::Create(std::int32_t width, std::int32_t height, int bitsPerPixel,
                  const std::uint8_t* pixels, const RgbQuad* colours) {
  const int colourCount = ColourCountFor(bitsPerPixel);
  if (colourCount < 0 || width < 0 || height < 0) return false;
  // Widths and heights up to 2^31 keep the row size and the product within 64 bits.
  const std::uint64_t rowBytes = DibRowBytes(width, bitsPerPixel);
  if (rowBytes > std::numeric_limits<std::uint32_t>::max()) return false;
  const std::uint64_t imageSize = std::uint64_t(height) * rowBytes;
  if (imageSize > std::numeric_limits<std::uint32_t>::max()) return false;

  Clear();
  const std::uint32_t blockSize = sizeof(BitmapInfoHeader) + sizeof(RgbQuad) * colourCount;
  std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[blockSize]());
  std::unique_ptr<std::uint8_t[]> pixelBlock(new (std::nothrow)
                                                 std::uint8_t[imageSize > 0 ? imageSize : 1]());
  if (!block || !pixelBlock) return false;

  BitmapInfoHeader* header = new (block.get()) BitmapInfoHeader{};
  header->biSize = sizeof(BitmapInfoHeader);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<std::uint16_t>(bitsPerPixel);
  header->biCompression = 0;  // BI_RGB
  RgbQuad* table = new (block.get() + sizeof(BitmapInfoHeader)) RgbQuad[colourCount]{};
  if (colours) std::memcpy(table, colours, sizeof(RgbQuad) * colourCount);
  if (pixels) std::memcpy(pixelBlock.get(), pixels, imageSize);

  headerBlock_ = std::move(block);
  headerBlockSize_ = blockSize;
  header_ = header;
  colourTable_ = table;
  colourCount_ = static_cast<std::uint32_t>(colourCount);
  pixels_ = std::move(pixelBlock);
  imageSize_ = static_cast<std::uint32_t>(imageSize);
  return true;
}

bool CDib::Paint(DibPainter& painter, int x, int y) const {
  if (!header_) return false;
  DibView view{*header_, colourTable_, colourCount_, pixels_.get(), imageSize_};
  painter.DrawDib(0, 0, header_->biWidth, header_->biHeight, x, y, view);
  return true;
}
