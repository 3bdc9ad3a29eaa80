#pragma once
// Everything an information page shows of one photo.
#include "exif/exif_reader.h"
#include "exif/info_value_texts.h"

// Fills the value texts of a photo whose Exif block the reader has found:
// items 1 and 2 from IFD0 (the Make also becomes the remembered maker), items
// 3 to 18 from the Exif IFD, and, while the remembered maker is Canon, items
// 19 to 41 and the custom functions from the first maker's note. For another
// maker items 10 and 11 repeat items 3 and 4.
void ReadPhotoInfo(const ExifReader& reader, InfoValueTexts& texts, ShootingInfoMemory& memory);
