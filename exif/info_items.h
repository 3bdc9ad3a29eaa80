#pragma once
// The items of an information page, numbered as the page lists them: 1 to 18
// from the Exif data, 19 to 41 from a Canon maker note, and 42, the custom
// functions' heading. Each has a label in txt::kInfoItemLabels at index item - 1.
#include "exif/info_value_texts.h"

namespace info {

enum Item : int {
  kMaker = 1,
  kModel,
  kExposureTime,
  kFNumber,
  kIsoSpeed,
  kExifVersion,
  kDateTimeOriginal,
  kDateTimeDigitized,
  kCompression,
  kShutterSpeed,
  kAperture,
  kExposureBias,
  kMaxAperture,
  kSubjectDistance,
  kMeteringMode,
  kFocalLength,
  kPixelWidth,
  kPixelHeight,  // the last Exif item
  kMacroMode,
  kFlashMode,
  kDriveMode,
  kFocusMode,
  kImageSize,
  kEasyShootingMode,
  kContrast,
  kSaturation,
  kSharpness,
  kMeteringMethod,
  kAfPointSelection,
  kShootingMode,
  kLongestFocalLength,
  kShortestFocalLength,
  kFlashDetails,
  kWhiteBalance,
  kAfPointsUsed,
  kFlashBias,
  kImageType,
  kFirmwareVersion,
  kImageSerialNumber,  // the last item every Canon page shows
  kOwnerName,
  kCameraSerialNumber,
  kCustomFunctionList,
};

static_assert(kPixelHeight == 18 && kImageSerialNumber == 39);
static_assert(kCameraSerialNumber == kValueItems && kCustomFunctionList == kInfoItems);

}  // namespace info
