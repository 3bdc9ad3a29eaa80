#include "exif/photo_info.h"

#include "exif/exif_items.h"
#include "exif/maker_note.h"

namespace {
constexpr std::uint16_t kTagMakerNote = 0x927C;

// Unlike every other tag, the maker's note is the first entry with its tag.
const ExifEntry* FirstMakerNote(const ExifDirectory& exifIfd) {
  for (const ExifEntry& entry : exifIfd)
    if (entry.tag == kTagMakerNote) return &entry;
  return nullptr;
}
}  // namespace

void ReadPhotoInfo(const ExifReader& reader, InfoValueTexts& texts, ShootingInfoMemory& memory) {
  ExifDirectory ifd0;
  if (auto offset = reader.Ifd0Offset()) reader.ReadDirectory(*offset, ifd0);
  SetCameraItems(reader, ifd0, texts, memory);

  if (const ExifEntry* pointer = ExifReader::FindTag(ifd0, exif::kTagExifIfdPointer)) {
    ExifDirectory exifIfd;
    reader.ReadDirectory(pointer->value, exifIfd);
    SetExifItems(reader, exifIfd, texts);
    if (memory.IsCanon()) {
      if (const ExifEntry* note = FirstMakerNote(exifIfd))
        maker_note::ReadMakerNote(TiffBytes(reader), note->value, texts, memory);
    }
  }

  if (!memory.IsCanon()) {
    texts.SetItem(10, texts.item(3));
    texts.SetItem(11, texts.item(4));
  }
}
