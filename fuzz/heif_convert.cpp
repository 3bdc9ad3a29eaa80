// Fuzz target: ①'s conversion of a HEIF photo (the whole file) into a JPEG,
// and that JPEG read back as every later step reads a photo: its Exif block
// right after SOI, Orientation 1, the embedded thumbnail inside the bytes read.
#include "app/heif_conversion.h"
#include "exif/embedded_thumbnail.h"
#include "exif/exif_reader.h"
#include "fuzz/fuzz_target.h"
#include "picture/thumbnail_maker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ThumbnailMaker maker;
  std::optional<std::vector<std::uint8_t>> jpeg = HeifToJpeg({data, size}, maker);
  if (!jpeg) return 0;
  ExifReader reader;
  reader.LoadBytes(jpeg->data(), jpeg->size());
  FUZZ_CHECK(reader.FindExifBlock());
  FUZZ_CHECK(reader.TiffOrigin() == 12);
  FUZZ_CHECK(reader.Orientation() == 1);
  if (const auto thumbnail = EmbeddedThumbnail(reader)) {
    const auto bytes = reader.Bytes();
    FUZZ_CHECK(fuzz::Inside(*thumbnail, bytes.data(), bytes.size()));
  }
  return 0;
}
