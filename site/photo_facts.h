#pragma once
// The facts of a photo that "other.js" summarises, read from its Exif data.
#include <string>

#include "exif/exif_reader.h"

namespace site {

// The shooting date as YYYY.MM.DD: the 10 bytes at the DateTimeOriginal offset
// (the last 0x9003 entry of the Exif IFD) with "." at bytes 4 and 7, ending at
// the first zero byte. Empty when the photo has no Exif IFD or no such entry,
// or when the entry's value or those 10 bytes are not wholly inside the bytes
// read. Call after FindExifBlock.
std::string ShootingDateText(const ExifReader& reader);

// The camera model: the value of IFD0's last 0x0110 entry, ending at its first
// zero byte, never cut to a length. Empty when missing or not wholly inside.
std::string ModelText(const ExifReader& reader);

}  // namespace site
