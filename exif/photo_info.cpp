#include "exif/photo_info.h"

#include <optional>

#include "exif/exif_items.h"
#include "exif/info_items.h"
#include "exif/maker_note.h"

namespace {
constexpr std::uint16_t kTagMakerNote = 0x927C;

// Unlike every other tag, the maker's note is the first entry with its tag.
std::optional<ExifEntry> FirstMakerNote(const ExifDirectory& exifIfd) {
  for (const ExifEntry& entry : exifIfd)
    if (entry.tag == kTagMakerNote) return entry;
  return std::nullopt;
}
}  // namespace

void ReadPhotoInfo(const ExifReader& reader, InfoValueTexts& texts, ShootingInfoMemory& memory) {
  const TiffView& tiff = reader.Tiff();
  SetCameraItems(tiff, reader.Ifd0(), texts, memory);

  if (reader.ExifIfdOffset()) {
    const ExifDirectory& exifIfd = reader.ExifIfd();
    SetExifItems(tiff, exifIfd, texts);
    if (memory.IsCanon()) {
      // The maker's note is little-endian whatever the photo's byte order.
      if (auto note = FirstMakerNote(exifIfd))
        maker_note::ReadMakerNote(tiff.InByteOrder(true), note->value, texts, memory);
    }
  }

  if (!memory.IsCanon()) {
    texts.SetItem(info::kShutterSpeed, texts.item(info::kExposureTime));
    texts.SetItem(info::kAperture, texts.item(info::kFNumber));
  }
}
