#pragma once
// Photo names made from the shooting date: 2003:01:15 10:20:30 becomes
// 2003_01_15_10_20_30.jpg.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "exif/exif_reader.h"

inline constexpr std::size_t kDateBufferSize = 100;
using DateBuffer = std::array<std::uint8_t, kDateBufferSize>;

// Copies DateTimeOriginal (the last 0x9003 entry of the Exif IFD) into a zeroed
// date buffer, at most 99 bytes of it. Nothing when the photo has no shooting
// date: no Exif IFD pointer, no 0x9003 entry, a value not wholly inside the
// bytes read, or a text whose first byte is zero. Call after FindExifBlock.
std::optional<DateBuffer> ReadShootingDate(const ExifReader& reader);

// The new name: bytes 4, 7, 10, 13 and 16 become "_" whatever they were (zero
// bytes too), the text ends after byte 18 or at its first zero byte, then
// ".jpg" follows.
std::string NameFromDate(const DateBuffer& date);

// A name that would lead out of the photo folder cannot be a photo's new name.
bool IsPlainFileName(const std::string& name);

// Renamed photos have "_" at byte positions 13 and 16.
bool HasRenamedForm(const std::string& name);
