#pragma once
// A HEIF photo's primary image (libheif), turned into a JPEG picture. Depth
// maps, gain maps, bursts and the like are not looked at. Built without
// libheif (VORNAMI_HEIF off), nothing opens and HeifSupported() says so.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// Pictures larger than this are not decoded, as for JPEG photos.
inline constexpr long long kMaxHeifPixels = 200'000'000;
inline constexpr int kConvertedPhotoQuality = 92;

bool HeifSupported();

struct EncodedPicture {
  std::vector<std::uint8_t> jpeg;
  int width = 0;
  int height = 0;
};

class HeifPhoto {
 public:
  HeifPhoto();
  ~HeifPhoto();
  HeifPhoto(const HeifPhoto&) = delete;
  HeifPhoto& operator=(const HeifPhoto&) = delete;

  // Reads the file's structure; the bytes must outlive the object. False when
  // it is no HEIF libheif reads, has no primary image, or that image is larger
  // than kMaxHeifPixels.
  bool Open(std::span<const std::uint8_t> file);

  // The primary image's Exif item as stored (empty when it has none).
  const std::vector<std::uint8_t>& ExifItem() const { return exif_; }
  // The colour profile to carry: the file's ICC profile, or one made from its
  // nclx primaries when they are not sRGB's; empty when sRGB is right.
  const std::vector<std::uint8_t>& ColourProfile() const { return profile_; }
  // Whether the image carries a rotation or mirroring that decoding applies.
  bool Transformed() const { return transformed_; }

  // The image decoded with its transformations, then turned by an Exif
  // orientation (2 to 8; 1 leaves it), as a baseline JPEG, 4:2:0, at
  // kConvertedPhotoQuality, with no segment but the encoder's JFIF one.
  // Nothing when it cannot be decoded.
  std::optional<EncodedPicture> ToJpeg(int orientation);

 private:
  struct Codec;
  std::unique_ptr<Codec> codec_;
  std::vector<std::uint8_t> exif_, profile_;
  bool transformed_ = false;
};
