#include "exif/exif_items.h"

#include <array>
#include <optional>

#include "exif/exif_value_texts.h"
#include "exif/info_items.h"

namespace {

constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTagMake = 0x010F;
constexpr std::uint16_t kTagModel = 0x0110;

enum class Kind { kUnsignedRational, kSignedRational, kInteger, kMetering, kVersion, kDate };

struct ExifItem {
  std::uint16_t tag;
  info::Item item;
  Kind kind;
  std::string (*rationalText)(double) = nullptr;
};

const ExifItem kExifItems[] = {
    {0x829A, info::kExposureTime, Kind::kSignedRational, exif_text::ExposureTime},
    {0x829D, info::kFNumber, Kind::kUnsignedRational, exif_text::FNumber},
    {0x8827, info::kIsoSpeed, Kind::kInteger},
    {0x9000, info::kExifVersion, Kind::kVersion},
    {0x9003, info::kDateTimeOriginal, Kind::kDate},
    {0x9004, info::kDateTimeDigitized, Kind::kDate},
    {0x9102, info::kCompression, Kind::kUnsignedRational, exif_text::Compression},
    {0x9201, info::kShutterSpeed, Kind::kSignedRational, exif_text::ShutterSpeed},
    {0x9202, info::kAperture, Kind::kUnsignedRational, exif_text::Aperture},
    {0x9204, info::kExposureBias, Kind::kSignedRational, exif_text::ExposureBias},
    {0x9205, info::kMaxAperture, Kind::kUnsignedRational, exif_text::Aperture},
    {0x9206, info::kSubjectDistance, Kind::kSignedRational, exif_text::SubjectDistance},
    {0x9207, info::kMeteringMode, Kind::kMetering},
    {0x920A, info::kFocalLength, Kind::kUnsignedRational, exif_text::FocalLength},
    {0xA002, info::kPixelWidth, Kind::kInteger},
    {0xA003, info::kPixelHeight, Kind::kInteger},
};

// Numerator and denominator at the entry's offset; nothing when they were not
// both read or the denominator is 0.
std::optional<double> RationalValue(const TiffView& tiff, const ExifEntry& entry, bool isSigned) {
  auto numerator = tiff.U32(entry.value);
  auto denominator = tiff.U32(std::uint64_t{entry.value} + 4);
  if (!numerator || !denominator || *denominator == 0) return std::nullopt;
  if (isSigned)
    return static_cast<double>(static_cast<std::int32_t>(*numerator)) /
           static_cast<double>(static_cast<std::int32_t>(*denominator));
  return static_cast<double>(*numerator) / static_cast<double>(*denominator);
}

// A SHORT is the first two bytes of the value field: the low half of the
// decoded value in a little-endian photo, the high half in a big-endian one.
std::uint32_t IntegerValue(const ExifEntry& entry, bool littleEndian) {
  if (entry.type != kTypeShort) return entry.value;
  return littleEndian ? entry.value & 0xFFFF : entry.value >> 16;
}

// The four bytes of the value field in the order the file stores them.
std::array<std::uint8_t, 4> StoredValueField(const ExifEntry& entry, bool littleEndian) {
  std::array<std::uint8_t, 4> bytes{};
  for (int i = 0; i < 4; ++i) {
    int shift = littleEndian ? 8 * i : 8 * (3 - i);
    bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(entry.value >> shift);
  }
  return bytes;
}

std::string ItemText(const TiffView& tiff, const ExifItem& item, const ExifEntry& entry) {
  const bool littleEndian = tiff.LittleEndian();
  switch (item.kind) {
    case Kind::kUnsignedRational:
    case Kind::kSignedRational: {
      auto v = RationalValue(tiff, entry, item.kind == Kind::kSignedRational);
      return v ? item.rationalText(*v) : std::string();
    }
    case Kind::kInteger:
      return exif_text::Integer(static_cast<std::int32_t>(IntegerValue(entry, littleEndian)));
    case Kind::kMetering:
      return exif_text::MeteringMode(IntegerValue(entry, littleEndian));
    case Kind::kVersion:
      return exif_text::ExifVersion(StoredValueField(entry, littleEndian));
    case Kind::kDate: {
      auto bytes = tiff.ValueBytes(entry);
      if (!bytes) return {};
      return exif_text::DateTime(CText(*bytes, bytes->size()));
    }
  }
  return {};
}

}  // namespace

void SetCameraItems(const TiffView& tiff, const ExifDirectory& ifd0, InfoValueTexts& texts,
                    ShootingInfoMemory& memory) {
  if (auto make = TiffView::FindTag(ifd0, kTagMake)) {
    if (auto bytes = tiff.ValueBytes(*make)) {
      texts.SetItem(info::kMaker, CText(*bytes, kItemCapacity));
      memory.maker = CText(*bytes, kMakerCapacity);
    }
  }
  if (auto model = TiffView::FindTag(ifd0, kTagModel)) {
    if (auto bytes = tiff.ValueBytes(*model))
      texts.SetItem(info::kModel, CText(*bytes, kItemCapacity));
  }
}

void SetExifItems(const TiffView& tiff, const ExifDirectory& exifIfd, InfoValueTexts& texts) {
  for (const ExifEntry& entry : exifIfd) {
    for (const ExifItem& item : kExifItems) {
      if (item.tag == entry.tag) texts.SetItem(item.item, ItemText(tiff, item, entry));
    }
  }
}
