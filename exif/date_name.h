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

// The length of a date text, "YYYY:MM:DD HH:MM:SS".
inline constexpr std::size_t kDateTextLength = 19;

// Copies DateTimeOriginal (the last 0x9003 entry of the Exif IFD) into a zeroed
// date buffer, at most 99 bytes of it. Nothing when the photo has no shooting
// date: no Exif IFD pointer, no 0x9003 entry, a value not wholly inside the
// bytes read, or a text that is no date (see IsDateText). A value of four
// bytes or fewer is held in the entry itself and is too short for a date; its
// value field is never taken as an offset. Call after FindExifBlock.
std::optional<DateBuffer> ReadShootingDate(const ExifReader& reader);

// A date text as cameras write it: at least 19 bytes before the first zero
// byte, ASCII digits at 0-3, 5-6, 8-9, 11-12, 14-15 and 17-18 (the separators
// may be any byte but zero). Only such a date makes a photo name, so a name
// is never more than digits and "_" plus ".jpg".
bool IsDateText(const DateBuffer& date);

// The new name: bytes 4, 7, 10, 13 and 16 become "_" whatever they were (zero
// bytes too), the text ends after byte 18 or at its first zero byte, then
// ".jpg" follows.
std::string NameFromDate(const DateBuffer& date);

// A name that would lead out of the photo folder cannot be a photo's new name.
bool IsPlainFileName(const std::string& name);

// Renamed photos have "_" at byte positions 13 and 16: every name
// NameFromDate makes of a date text has that form. Start-up and ② check the
// first listed photo with it.
bool HasRenamedForm(const std::string& name);
