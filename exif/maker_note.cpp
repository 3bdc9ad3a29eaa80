#include "exif/maker_note.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "exif/bounded_bytes.h"
#include "exif/info_items.h"
#include "exif/maker_note_tables.h"
#include "texts/info_texts.h"

namespace maker_note {
namespace {

enum Tag : std::uint16_t {
  kCameraSettings = 0x0001,
  kShotInfo = 0x0004,
  kImageType = 0x0006,
  kFirmware = 0x0007,
  kImageSerial = 0x0008,
  kOwner = 0x0009,
  kCameraSerial = 0x000C,
  kCustomFunctionArray = 0x000F,
};

// An array value at index, or nothing when the array is shorter.
std::optional<std::uint16_t> At(std::span<const std::uint16_t> values, std::size_t index) {
  if (index >= values.size()) return std::nullopt;
  return values[index];
}

// An item that is one array value looked up in its table.
struct ArrayItem {
  int item;
  std::size_t index;
  const CodeTable* table;
};

const ArrayItem kCameraSettingItems[] = {
    {info::kMacroMode, 1, &kMacroMode},
    {info::kFlashMode, 4, &kFlashMode},
    {info::kFocusMode, 7, &kFocusMode},
    {info::kImageSize, 10, &kImageSize},
    {info::kEasyShootingMode, 11, &kImageSelect},
    {info::kContrast, 13, &kContrast},
    {info::kSaturation, 14, &kSaturation},
    {info::kSharpness, 15, &kSharpness},
    {info::kMeteringMethod, 17, &kMeteringMethod},
    {info::kAfPointSelection, 19, &kAfPointSelection},
    {info::kShootingMode, 20, &kShootingMode},
};

const ArrayItem kShotInfoItems[] = {
    {info::kWhiteBalance, 7, &kWhiteBalance},
    {info::kFlashBias, 15, &kFlashBias},
};

constexpr std::size_t kSelfTimerIndex = 2;
constexpr std::size_t kFlashModeIndex = 4;
constexpr std::size_t kDriveModeIndex = 5;
constexpr std::size_t kLongFocalIndex = 23;
constexpr std::size_t kShortFocalIndex = 24;
constexpr std::size_t kFlashDetailsIndex = 29;
constexpr std::uint16_t kFlashDetailsMask = 0x6810;
constexpr std::size_t kAfPointsUsedIndex = 14;

// A value the tables do not list leaves the item as it was.
void SetListed(std::span<const std::uint16_t> values, const ArrayItem& item,
               InfoValueTexts& texts) {
  auto value = At(values, item.index);
  if (!value) return;
  if (auto text = FindText(*item.table, *value)) texts.SetItem(item.item, *text);
}

// The count 16-bit values an entry points to, when all of them were read.
std::optional<std::vector<std::uint16_t>> LoadArray(const TiffView& note, const ExifEntry& entry) {
  auto bytes = note.Bytes(entry.value, std::uint64_t{entry.count} * 2);
  if (!bytes) return std::nullopt;
  const BoundedBytes array(*bytes);
  std::vector<std::uint16_t> values(entry.count);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = array.U16(2 * i, true).value_or(0);
  return values;
}

// Unlike the value of an Exif entry, a string of count 0 must still start
// inside the bytes read, or it leaves the item as it was.
void SetString(const TiffView& note, const ExifEntry& entry, int item, InfoValueTexts& texts) {
  if (auto bytes = note.Bytes(entry.value, entry.count))
    texts.SetItem(item, CText(*bytes, kItemCapacity));
}

}  // namespace

void SetCameraSettingTexts(std::span<const std::uint16_t> settings, InfoValueTexts& texts) {
  for (const ArrayItem& item : kCameraSettingItems) SetListed(settings, item, texts);

  auto drive = At(settings, kDriveModeIndex);
  auto selfTimer = At(settings, kSelfTimerIndex);
  if (drive == 0 && selfTimer) {
    texts.SetItem(info::kDriveMode, *selfTimer == 0 ? txt::kDriveSingle : txt::kDriveSelfTimer);
  } else if (drive == 1) {
    texts.SetItem(info::kDriveMode, txt::kDriveContinuous);
  }

  // The lens's focal lengths as stored, without scaling.
  if (auto longest = At(settings, kLongFocalIndex))
    texts.SetItem(info::kLongestFocalLength, std::to_string(*longest) + "mm");
  if (auto shortest = At(settings, kShortFocalIndex))
    texts.SetItem(info::kShortestFocalLength, std::to_string(*shortest) + "mm");

  auto flash = At(settings, kFlashModeIndex);
  if (flash == 0) {
    texts.SetItem(info::kFlashDetails, txt::kFlashDetailsNone);
  } else if (flash) {
    // Exactly one of the known bits tells the flash; several or none tell nothing.
    if (auto details = At(settings, kFlashDetailsIndex))
      if (auto text = FindText(kFlashDetails, *details & kFlashDetailsMask))
        texts.SetItem(info::kFlashDetails, *text);
  }
}

void SetShotInfoTexts(std::span<const std::uint16_t> shot, InfoValueTexts& texts) {
  for (const ArrayItem& item : kShotInfoItems) SetListed(shot, item, texts);
  // Bit 0 right, bit 1 centre, bit 2 left; the higher bits say nothing here.
  auto points = At(shot, kAfPointsUsedIndex);
  if (points && *points != 0)
    if (auto text = FindText(kAfPointsUsed, *points & 7)) texts.SetItem(info::kAfPointsUsed, *text);
}

void ApplyCustomFunctions(std::span<const std::uint16_t> functions, InfoValueTexts& texts,
                          ShootingInfoMemory& memory) {
  for (std::uint16_t value : functions) {
    int function = value >> 8;
    int setting = value & 0xFF;
    if (function < 1 || function > kCustomFunctions) continue;
    memory.headerSet[static_cast<std::size_t>(function)] = true;
    if (auto text =
            FindText(kCustomFunctionSettings[function], static_cast<std::uint32_t>(setting)))
      texts.SetCustomValue(function, *text);
  }
}

std::string ImageSerialText(std::uint32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%03d-%04d", static_cast<int>(value / 10000),
                static_cast<int>(value % 10000));
  return text;
}

std::string CameraSerialText(std::uint32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%04X%05d", static_cast<unsigned>(value >> 16),
                static_cast<int>(value & 0xFFFF));
  return text;
}

void ReadMakerNote(const TiffView& note, std::uint32_t offset, InfoValueTexts& texts,
                   ShootingInfoMemory& memory) {
  ExifDirectory entries;
  note.ReadDirectory(offset, entries);
  for (const ExifEntry& entry : entries) {
    switch (entry.tag) {
      case kCameraSettings:
        if (auto settings = LoadArray(note, entry)) SetCameraSettingTexts(*settings, texts);
        break;
      case kShotInfo:
        if (auto shot = LoadArray(note, entry)) SetShotInfoTexts(*shot, texts);
        break;
      case kImageType:
        SetString(note, entry, info::kImageType, texts);
        break;
      case kFirmware:
        SetString(note, entry, info::kFirmwareVersion, texts);
        break;
      case kImageSerial:
        texts.SetItem(info::kImageSerialNumber, ImageSerialText(entry.value));
        break;
      case kOwner:
        SetString(note, entry, info::kOwnerName, texts);
        break;
      case kCameraSerial:
        texts.SetItem(info::kCameraSerialNumber, CameraSerialText(entry.value));
        break;
      default:
        break;
    }
  }
  // Custom functions come second, once every other entry is read.
  for (const ExifEntry& entry : entries) {
    if (entry.tag != kCustomFunctionArray) continue;
    if (auto functions = LoadArray(note, entry)) ApplyCustomFunctions(*functions, texts, memory);
  }
}

}  // namespace maker_note
