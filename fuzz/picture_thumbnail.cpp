// Fuzz target: ②'s thumbnails that need the picture codec, on one photo
// file's bytes: the thumbnail made from its picture and, as if the bytes were
// an embedded thumbnail of a photo taken sideways, that thumbnail turned
// upright. Every input gives a thumbnail or a reason, within the decoding
// bounds (the fuzzer's memory and time limits catch a bound that does not hold).
#include <span>

#include "fuzz/fuzz_target.h"
#include "picture/thumbnail_maker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ThumbnailMaker maker;
  const std::span<const std::uint8_t> bytes(data, size);
  const int orientation = size == 0 ? 1 : 1 + data[size - 1] % 8;

  platform::Result<JpegBytes> thumbnail = maker.FromPicture(bytes, orientation);
  FUZZ_CHECK(thumbnail ? !thumbnail->empty() : !thumbnail.error().empty());
  if (thumbnail) {
    // Fitted into 160×120: the encoder's output of so few pixels stays small.
    FUZZ_CHECK(thumbnail->size() < 64 * 1024);
    FUZZ_CHECK(maker.UprightEmbedded(*thumbnail, 6));
  }
  platform::Result<JpegBytes> upright = maker.UprightEmbedded(bytes, orientation);
  FUZZ_CHECK(upright ? !upright->empty() : !upright.error().empty());
  return 0;
}
