// Fuzz target: the readers of ① and ② on one photo's first 65,536 bytes: the
// Exif block (after any segments), the shooting date and the name made from
// it (which "filename.js" lists later and links to), the orientation and the
// embedded thumbnail.
#include <string>

#include "exif/date_name.h"
#include "exif/embedded_thumbnail.h"
#include "exif/exif_reader.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/script_string_check.h"
#include "site/script_string.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ExifReader reader;
  reader.LoadBytes(data, size);
  if (!reader.FindExifBlock()) return 0;

  if (auto date = ReadShootingDate(reader)) {
    FUZZ_CHECK((*date)[0] != 0 && date->back() == 0);
    // Only digits and "_" plus ".jpg", in the renamed form.
    const std::string name = NameFromDate(*date);
    FUZZ_CHECK(name.size() == 19 + 4 && name.ends_with(".jpg"));
    FUZZ_CHECK(name.find_first_not_of("0123456789_") == 19);
    FUZZ_CHECK(IsPlainFileName(name) && HasRenamedForm(name));
    FUZZ_CHECK(fuzz::IsScriptStringBody(site::ScriptStringBody(name)));
  }

  const std::uint16_t orientation = reader.Orientation();
  FUZZ_CHECK(orientation >= 1 && orientation <= 8);

  if (const auto thumbnail = EmbeddedThumbnail(reader)) {
    const auto bytes = reader.Bytes();
    FUZZ_CHECK(!thumbnail->empty() && thumbnail->size() <= kMaxThumbnailBytes);
    FUZZ_CHECK(fuzz::Inside(*thumbnail, bytes.data(), bytes.size()));
  }
  return 0;
}
