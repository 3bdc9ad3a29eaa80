#include "picture/screen_pictures.h"

#include <turbojpeg.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace {

// An Exif block in APP1 with IFD0 holding Orientation = 1 alone (little-endian).
constexpr std::uint8_t kUprightExif[] = {
    0xFF, 0xE1, 0x00, 0x22, 'E',  'x',  'i',  'f',  0, 0,  // APP1, length 34, "Exif\0\0"
    'I',  'I',  0x2A, 0x00, 0x08, 0x00, 0x00, 0x00,        // TIFF header, IFD0 at 8
    0x01, 0x00,                                            // one entry
    0x12, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00,        // Orientation, SHORT, 1 value
    0x01, 0x00, 0x00, 0x00,                                // = 1
    0x00, 0x00, 0x00, 0x00};                               // no next IFD

constexpr char kIccSignature[] = "ICC_PROFILE";  // 12 bytes with its NUL

// The photo's APP2 ICC segments, markers and lengths included, in file order.
JpegBytes ProfileSegments(std::span<const std::uint8_t> photo) {
  JpegBytes segments;
  if (photo.size() < 4 || photo[0] != 0xFF || photo[1] != 0xD8) return segments;
  std::size_t at = 2;
  while (at + 4 <= photo.size()) {
    if (photo[at] != 0xFF) break;
    const std::uint8_t marker = photo[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) break;  // the scan: no more header segments
    const std::size_t length = (std::size_t{photo[at + 2]} << 8) | photo[at + 3];
    if (length < 2 || length > photo.size() - at - 2) break;
    const std::size_t body = at + 4;
    if (marker == 0xE2 && length >= 2 + sizeof kIccSignature &&
        std::memcmp(&photo[body], kIccSignature, sizeof kIccSignature) == 0)
      segments.insert(segments.end(), photo.begin() + static_cast<std::ptrdiff_t>(at),
                      photo.begin() + static_cast<std::ptrdiff_t>(body + length - 2));
    at = body + length - 2;
  }
  return segments;
}

// Where segments may go into a picture the codec encoded: after SOI and its JFIF APP0.
std::size_t AfterJfif(const JpegBytes& encoded) {
  if (encoded.size() >= 6 && encoded[2] == 0xFF && encoded[3] == 0xE0) {
    const std::size_t length = (std::size_t{encoded[4]} << 8) | encoded[5];
    if (4 + length <= encoded.size()) return 4 + length;
  }
  return 2;
}

// The picture's stored size from its header; nothing when the codec cannot read it.
std::optional<PixelSize> PictureSize(std::span<const std::uint8_t> photo) {
  std::unique_ptr<void, int (*)(tjhandle)> header(tjInitDecompress(), tjDestroy);
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  if (!header || photo.empty() || photo.size() > ULONG_MAX ||
      tjDecompressHeader3(header.get(), photo.data(), static_cast<unsigned long>(photo.size()),
                          &width, &height, &subsampling, &colourspace) != 0 ||
      width < 1 || height < 1)
    return std::nullopt;
  return PixelSize{width, height};
}

}  // namespace

JpegBytes WithProfileAndUpright(const JpegBytes& encoded, std::span<const std::uint8_t> photo) {
  if (encoded.size() < 2) return encoded;
  const JpegBytes profile = ProfileSegments(photo);
  const std::size_t split = AfterJfif(encoded);
  JpegBytes out;
  out.reserve(encoded.size() + sizeof kUprightExif + profile.size());
  out.insert(out.end(), encoded.begin(), encoded.begin() + static_cast<std::ptrdiff_t>(split));
  out.insert(out.end(), std::begin(kUprightExif), std::end(kUprightExif));
  out.insert(out.end(), profile.begin(), profile.end());
  out.insert(out.end(), encoded.begin() + static_cast<std::ptrdiff_t>(split), encoded.end());
  return out;
}

ScreenPictures MakeScreenPictures(ThumbnailMaker& maker, std::span<const std::uint8_t> photo,
                                  int orientation) {
  std::optional<PixelSize> stored = PictureSize(photo);
  if (!stored) return {};
  // Fitted as they will stand, then shrunk as the picture is stored.
  const bool sideways = TurnsSideways(orientation);
  auto asStored = [sideways](PixelSize s) { return sideways ? PixelSize{s.height, s.width} : s; };
  const PixelSize upright = asStored(*stored);
  const bool needsCopy = std::max(upright.width, upright.height) > kScreenBox.width;
  const PixelSize tile = asStored(FitInto(upright, kTileBox));
  const PixelSize screen = asStored(FitInto(upright, kScreenBox));

  platform::Result<RgbImage> picture = maker.Decode(photo, needsCopy ? screen : tile);
  if (!picture) return {};
  ScreenPictures made;
  if (needsCopy) {
    const RgbImage copy = Upright(ShrinkByArea(*picture, screen), orientation);
    picture = RgbImage{};  // the large decode is no longer needed
    made.tile = maker.Encode(ShrinkByArea(copy, FitInto({copy.width, copy.height}, kTileBox)))
                    .value_or(JpegBytes());
    if (auto encoded = maker.Encode(copy)) made.screen = WithProfileAndUpright(*encoded, photo);
  } else {
    made.tile =
        maker.Encode(Upright(ShrinkByArea(*picture, tile), orientation)).value_or(JpegBytes());
  }
  return made;
}
