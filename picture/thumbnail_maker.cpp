#include "picture/thumbnail_maker.h"

#include <turbojpeg.h>

#include <climits>
#include <new>

#include "texts/picture_texts.h"

namespace {

// Exif orientations 2 to 8 as TurboJPEG's lossless transforms.
int TransformFor(int orientation) {
  switch (orientation) {
    case 2:
      return TJXOP_HFLIP;
    case 3:
      return TJXOP_ROT180;
    case 4:
      return TJXOP_VFLIP;
    case 5:
      return TJXOP_TRANSPOSE;
    case 6:
      return TJXOP_ROT90;
    case 7:
      return TJXOP_TRANSVERSE;
    case 8:
      return TJXOP_ROT270;
    default:
      return TJXOP_NONE;
  }
}

bool Fits(std::span<const std::uint8_t> bytes) { return bytes.size() <= ULONG_MAX; }

// Copies a buffer the codec allocated, and frees it.
JpegBytes Take(unsigned char* data, unsigned long size) {
  JpegBytes bytes(data, data + size);
  tjFree(data);
  return bytes;
}

}  // namespace

ThumbnailMaker::ThumbnailMaker(const std::atomic<bool>* stop) { bounds_.stop = stop; }

ThumbnailMaker::~ThumbnailMaker() {
  for (void* handle : {compressor_, transformer_})
    if (handle) tjDestroy(handle);
}

platform::Result<RgbImage> ThumbnailMaker::Decode(std::span<const std::uint8_t> jpeg,
                                                  PixelSize least) {
  return DecodePicture(jpeg, least, bounds_);
}

platform::Result<JpegBytes> ThumbnailMaker::Encode(const RgbImage& image) {
  if (!compressor_) compressor_ = tjInitCompress();
  if (!compressor_ || image.width < 1 || image.height < 1)
    return platform::Fail(txt::kThumbnailNotEncoded);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  if (tjCompress2(compressor_, image.rgb.data(), image.width, 0, image.height, TJPF_RGB, &out,
                  &size, TJSAMP_420, kThumbnailQuality, 0) != 0) {
    if (out) tjFree(out);
    return platform::Fail(txt::kThumbnailNotEncoded);
  }
  return Take(out, size);
}

platform::Result<JpegBytes> ThumbnailMaker::UprightEmbedded(std::span<const std::uint8_t> jpeg,
                                                            int orientation) {
  // Turning reads every block, losslessly or not: a size no thumbnail has
  // is refused before any of them is allocated.
  platform::Result<PictureHeader> header = ReadPictureHeader(jpeg);
  if (!header) return platform::Fail(header.error());
  if (static_cast<long long>(header->size.width) * header->size.height > kMaxEmbeddedPixels)
    return platform::Fail(txt::kPictureTooLarge);
  if (!transformer_) transformer_ = tjInitTransform();
  if (transformer_ && Fits(jpeg)) {
    tjtransform transform{};
    transform.op = TransformFor(orientation);
    // Perfect or not at all; no markers copied, so that no orientation tag
    // inside the thumbnail turns it a second time.
    transform.options = TJXOPT_PERFECT | TJXOPT_COPYNONE;
    unsigned char* out = nullptr;
    unsigned long size = 0;
    if (tjTransform(transformer_, jpeg.data(), jpeg.size(), 1, &out, &size, &transform, 0) == 0)
      return Take(out, size);
    if (out) tjFree(out);
  }
  platform::Result<RgbImage> image = Decode(jpeg, {INT_MAX, INT_MAX});
  if (!image) return platform::Fail(image.error());
  return Encode(Upright(*image, orientation));
}

platform::Result<JpegBytes> ThumbnailMaker::FromPicture(std::span<const std::uint8_t> photo,
                                                        int orientation) {
  platform::Result<PictureHeader> header = ReadPictureHeader(photo);
  if (!header) return platform::Fail(header.error());
  // Fitted as it will stand, then shrunk as it is stored.
  const PixelSize stored = header->size;
  const bool sideways = TurnsSideways(orientation);
  PixelSize upright = sideways ? PixelSize{stored.height, stored.width} : stored;
  PixelSize fitted = FitInto(upright, kThumbnailBox);
  if (sideways) fitted = {fitted.height, fitted.width};
  try {
    platform::Result<RgbImage> picture = Decode(photo, fitted);
    if (!picture) return platform::Fail(picture.error());
    return Encode(Upright(ShrinkByArea(*picture, fitted), orientation));
  } catch (const std::bad_alloc&) {
    return platform::Fail(txt::kPictureTooLarge);  // the scaled picture did not fit in memory
  }
}
