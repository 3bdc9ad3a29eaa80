#include "exif/exif_reader.h"

#include "exif/exif_block.h"

namespace {
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kOrientationNormal = 1;
constexpr std::uint16_t kOrientationLast = 8;

void Decode(const TiffView& tiff, std::optional<std::uint32_t> offset, auto& directory) {
  if (directory.decoded) return;
  directory.decoded = true;
  if (offset) directory.next = tiff.ReadDirectory(*offset, directory.entries);
}
}  // namespace

void ExifReader::Forget() {
  tiff_ = TiffView();
  for (CachedDirectory* d : {&ifd0_, &exifIfd_, &ifd1_}) {
    d->decoded = false;
    d->entries.clear();  // keeps its room for the next photo
    d->next.reset();
  }
}

bool ExifReader::Load(const std::string& path) {
  Forget();
  return head_->Load(path);
}

void ExifReader::LoadBytes(const std::uint8_t* data, std::size_t size) {
  Forget();
  head_->LoadBytes(data, size);
}

bool ExifReader::LoadTiffBytes(const std::uint8_t* data, std::size_t size) {
  LoadBytes(data, size);
  const auto first = head_->U8(0), second = head_->U8(1);
  if (!first || first != second || (*first != 'I' && *first != 'M')) return false;
  tiff_ = TiffView(*head_, 0, *first == 'I');
  return true;
}

bool ExifReader::FindExifBlock() {
  Forget();
  auto origin = FindTiffOrigin(*head_);
  if (!origin) return false;
  const bool littleEndian = head_->U8(*origin) == 'I' && head_->U8(*origin + 1) == 'I';
  tiff_ = TiffView(*head_, *origin, littleEndian);
  return true;
}

const ExifReader::CachedDirectory& ExifReader::Ifd0Directory() const {
  Decode(tiff_, Ifd0Offset(), ifd0_);
  return ifd0_;
}

const ExifDirectory& ExifReader::Ifd0() const { return Ifd0Directory().entries; }

std::optional<std::uint32_t> ExifReader::ExifIfdOffset() const {
  auto pointer = FindTag(Ifd0(), exif::kTagExifIfdPointer);
  if (!pointer) return std::nullopt;
  return pointer->value;
}

std::optional<std::uint32_t> ExifReader::Ifd1Offset() const {
  auto next = Ifd0Directory().next;
  if (next == 0u) return std::nullopt;
  return next;
}

const ExifDirectory& ExifReader::ExifIfd() const {
  Decode(tiff_, ExifIfdOffset(), exifIfd_);
  return exifIfd_.entries;
}

const ExifDirectory& ExifReader::Ifd1() const {
  Decode(tiff_, Ifd1Offset(), ifd1_);
  return ifd1_.entries;
}

std::optional<ExifEntry> ExifReader::DateTimeOriginal() const {
  return FindTag(ExifIfd(), exif::kTagDateTimeOriginal);
}

std::uint16_t ExifReader::Orientation() const {
  auto entry = FindTag(Ifd0(), exif::kTagOrientation);
  if (!entry || entry->type != kTypeShort || entry->count != 1) return kOrientationNormal;
  // A SHORT lies in the first two bytes of the value field.
  const auto value =
      static_cast<std::uint16_t>(LittleEndian() ? entry->value & 0xFFFF : entry->value >> 16);
  if (value < kOrientationNormal || value > kOrientationLast) return kOrientationNormal;
  return value;
}
