#pragma once
// Items 1 to 18 of an information page from a photo's IFD0 and Exif IFD.
#include "exif/info_value_texts.h"
#include "exif/tiff_view.h"

// Items 1 and 2 from the last Make and Model entries of IFD0. A Make whose
// value was read also becomes the remembered maker.
void SetCameraItems(const TiffView& tiff, const ExifDirectory& ifd0, InfoValueTexts& texts,
                    ShootingInfoMemory& memory);

// Items 3 to 18 from the Exif IFD, entry by entry in table order: a tag met
// twice gives the text of its last entry, even when that one gives none.
void SetExifItems(const TiffView& tiff, const ExifDirectory& exifIfd, InfoValueTexts& texts);
