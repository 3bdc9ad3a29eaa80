#pragma once
// Items 1 to 18 of an information page from a photo's IFD0 and Exif IFD.
#include "exif/bounded_bytes.h"
#include "exif/exif_reader.h"
#include "exif/info_value_texts.h"

// The bytes read from the TIFF origin on, where every Exif offset counts from.
BoundedBytes TiffBytes(const ExifReader& reader);

// Items 1 and 2 from the last Make and Model entries of IFD0. A Make whose
// value was read also becomes the remembered maker.
void SetCameraItems(const ExifReader& reader, const ExifDirectory& ifd0, InfoValueTexts& texts,
                    ShootingInfoMemory& memory);

// Items 3 to 18 from the Exif IFD, entry by entry in table order: a tag met
// twice gives the text of its last entry, even when that one gives none.
void SetExifItems(const ExifReader& reader, const ExifDirectory& exifIfd, InfoValueTexts& texts);
