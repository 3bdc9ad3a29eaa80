#pragma once
// The camera maker's note (Exif tag 0x927C) as the information page reads it:
// items 19 to 41, the custom-function values and their headers. The note is
// always little-endian, whatever the photo's byte order.
#include <cstdint>
#include <span>
#include <string>

#include "exif/info_value_texts.h"
#include "exif/tiff_view.h"

namespace maker_note {

// Items 19 to 33 from the camera settings array (tag 0x0001).
void SetCameraSettingTexts(std::span<const std::uint16_t> settings, InfoValueTexts& texts);
// Items 34 to 36 from the shot information array (tag 0x0004).
void SetShotInfoTexts(std::span<const std::uint16_t> shot, InfoValueTexts& texts);
// Custom-function values and headers from the custom function array (tag 0x000F).
void ApplyCustomFunctions(std::span<const std::uint16_t> functions, InfoValueTexts& texts,
                          ShootingInfoMemory& memory);

// Item 39: 1001234 gives "100-1234".
std::string ImageSerialText(std::uint32_t value);
// Item 41: high 16 bits 0x00AB, low 16 bits 291 give "00AB00291".
std::string CameraSerialText(std::uint32_t value);

// Reads the maker's note directory at offset and sets the texts it gives;
// note is the photo's TIFF structure read little-endian. A directory, array or
// string that does not lie wholly inside the bytes read gives nothing.
void ReadMakerNote(const TiffView& note, std::uint32_t offset, InfoValueTexts& texts,
                   ShootingInfoMemory& memory);

}  // namespace maker_note
