// Fuzz target: the preview's decoding of one thumbnail file, as the editor
// does it: the file's bytes (at most the 32,768 of the thumbnail buffer) go
// through LoadFromMemory, Decode and GetImage; a decoded image becomes the
// 24-bit bottom-up bitmap that is painted.
#include "jpeg/jpeg_decoder.h"

#include <memory>

#include "app/shared_state.h"
#include "fuzz/fuzz_target.h"
#include "jpeg/bgr_rows.h"
#include "jpeg/dib.h"

namespace {

// Reads every pixel row it is asked to draw.
class ReadingPainter : public DibPainter {
 public:
  void DrawDib(int, int, int width, int height, int srcX, int srcY, const DibView& dib) override {
    FUZZ_CHECK(srcX == 0 && srcY == 0);
    FUZZ_CHECK(width == dib.header.biWidth && height == dib.header.biHeight);
    const std::uint64_t stride = DibRowBytes(width, 24);
    FUZZ_CHECK(dib.imageSize == stride * static_cast<std::uint64_t>(height));
    for (std::uint32_t i = 0; i < dib.imageSize; ++i) sum_ += dib.pixels[i];
  }
  unsigned sum_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A thumbnail larger than the buffer is never decoded.
  if (size > kThumbnailBufferSize) return 0;

  CJpegDecoder decoder;
  const std::int32_t loaded = decoder.LoadFromMemory(data, size);
  FUZZ_CHECK(loaded == 0 || loaded == -1 || loaded == -2);
  if (loaded != 0) return 0;
  const std::int32_t decoded = decoder.Decode();
  FUZZ_CHECK(decoded == 0 || decoded == -1 || decoded == -2);
  if (decoded != 0) return 0;

  Plane red, green, blue;
  std::int32_t width = 0, height = 0;
  decoder.GetImage(red, green, blue, width, height);
  FUZZ_CHECK(red && green && blue && width > 0 && height > 0);

  std::unique_ptr<std::uint8_t[]> rows = BgrRows(red.get(), green.get(), blue.get(), width, height);
  if (!rows) return 0;
  CDib bitmap;
  if (!bitmap.Create(width, height, 24, rows.get(), nullptr)) return 0;
  ReadingPainter painter;
  FUZZ_CHECK(bitmap.Paint(painter, 0, 0));
  return 0;
}
