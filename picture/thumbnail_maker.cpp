#include "picture/thumbnail_maker.h"

#include <turbojpeg.h>

#include <climits>

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

ThumbnailMaker::ThumbnailMaker() = default;

ThumbnailMaker::~ThumbnailMaker() {
  for (void* handle : {decompressor_, compressor_, transformer_})
    if (handle) tjDestroy(handle);
}

platform::Result<RgbImage> ThumbnailMaker::Decode(std::span<const std::uint8_t> jpeg,
                                                  PixelSize least) {
  if (!decompressor_) decompressor_ = tjInitDecompress();
  if (!decompressor_ || jpeg.empty() || !Fits(jpeg)) return platform::Fail(txt::kPictureNotDecoded);
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  if (tjDecompressHeader3(decompressor_, jpeg.data(), jpeg.size(), &width, &height, &subsampling,
                          &colourspace) != 0 ||
      width < 1 || height < 1 || static_cast<long long>(width) * height > kMaxPicturePixels)
    return platform::Fail(txt::kPictureNotDecoded);

  // The smallest of the codec's scales that still covers `least`.
  int count = 0;
  const tjscalingfactor* factors = tjGetScalingFactors(&count);
  PixelSize scaled{width, height};
  for (int i = 0; factors && i < count; ++i) {
    if (factors[i].num > factors[i].denom) continue;  // never enlarge
    PixelSize s{TJSCALED(width, factors[i]), TJSCALED(height, factors[i])};
    if (s.width >= least.width && s.height >= least.height &&
        static_cast<long long>(s.width) * s.height <
            static_cast<long long>(scaled.width) * scaled.height)
      scaled = s;
  }
  RgbImage image{scaled.width, scaled.height, {}};
  image.rgb.resize(static_cast<std::size_t>(scaled.width) * scaled.height * 3);
  if (tjDecompress2(decompressor_, jpeg.data(), jpeg.size(), image.rgb.data(), scaled.width, 0,
                    scaled.height, TJPF_RGB, 0) != 0 &&
      tjGetErrorCode(decompressor_) != TJERR_WARNING)
    return platform::Fail(
        txt::kPictureNotDecoded);  // a warning (a truncated file, say) still gives the picture
  return image;
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
  if (!transformer_) transformer_ = tjInitTransform();
  if (transformer_ && Fits(jpeg) && !jpeg.empty()) {
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
  if (!decompressor_) decompressor_ = tjInitDecompress();
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  if (!decompressor_ || photo.empty() || !Fits(photo) ||
      tjDecompressHeader3(decompressor_, photo.data(), photo.size(), &width, &height, &subsampling,
                          &colourspace) != 0)
    return platform::Fail(txt::kPictureNotDecoded);
  // Fitted as it will stand, then shrunk as it is stored.
  const bool sideways = TurnsSideways(orientation);
  PixelSize upright = sideways ? PixelSize{height, width} : PixelSize{width, height};
  PixelSize fitted = FitInto(upright, kThumbnailBox);
  if (sideways) fitted = {fitted.height, fitted.width};
  platform::Result<RgbImage> picture = Decode(photo, fitted);
  if (!picture) return platform::Fail(picture.error());
  return Encode(Upright(ShrinkByArea(*picture, fitted), orientation));
}
