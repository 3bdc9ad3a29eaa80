// Fuzz target: the Exif walk over one photo's first 65,536 bytes. Finds the
// APP1 block (walking the JPEG segments when it is not at the start), reads
// IFD0, the Exif IFD and IFD1 and fetches every entry's value; then builds what ③ and ④ take from
// the photo: the information page with its value texts and the Canon maker note, and the date and
// camera model of "other.js".
#include <string>

#include "exif/exif_reader.h"
#include "exif/info_value_texts.h"
#include "exif/photo_info.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/script_string_check.h"
#include "site/data_scripts.h"
#include "site/info_page.h"
#include "site/photo_facts.h"
#include "site/script_string.h"

namespace {

// The directory at offset, read afresh, must be the one the model decoded.
void WalkDirectory(const ExifReader& reader, std::optional<std::uint32_t> offset,
                   const ExifDirectory& decoded) {
  ExifDirectory table;
  if (offset) reader.ReadDirectory(*offset, table);
  FUZZ_CHECK(table.size() <= exif::kMaxDirectoryEntries);
  FUZZ_CHECK(table.size() == decoded.size());
  const auto bytes = reader.Bytes();
  for (const ExifEntry& entry : table) {
    if (auto value = reader.ValueBytes(entry)) {
      FUZZ_CHECK(value->size() == entry.count);
      FUZZ_CHECK(fuzz::Inside(*value, bytes.data(), bytes.size()));
      auto text = reader.ValueText(entry);
      FUZZ_CHECK(text && text->size() <= value->size());
    } else {
      FUZZ_CHECK(!reader.ValueText(entry));
    }
    reader.ReadU16(entry.value);
    reader.ReadU32(entry.value);
  }
}

// A text built as a C string in a buffer of capacity + 1 bytes.
void CheckCText(const std::string& text, std::size_t capacity) {
  FUZZ_CHECK(text.size() <= capacity);
  FUZZ_CHECK(text.find('\0') == std::string::npos);
}

void InformationPage(const ExifReader& reader) {
  InfoValueTexts texts;
  ShootingInfoMemory memory;
  ReadPhotoInfo(reader, texts, memory);
  CheckCText(memory.maker, kMakerCapacity);
  MarkMissingValues(texts);
  for (int n = 1; n <= kValueItems; ++n) CheckCText(texts.item(n), kItemCapacity);
  for (int k = 1; k <= kCustomFunctions; ++k)
    CheckCText(texts.customValue(k), kCustomValueCapacity);
  const std::string page = ComposeInfoPage(1, texts, memory);
  FUZZ_CHECK(page.ends_with("</html>\n"));
}

void OtherScriptFacts(const ExifReader& reader) {
  site::GallerySummary summary;
  summary.folderCount = 1;
  summary.firstDate = site::ShootingDateText(reader);
  summary.lastDate = summary.firstDate;
  summary.model = site::ModelText(reader);
  FUZZ_CHECK(summary.firstDate.size() <= 10);
  for (const std::string* text : {&summary.firstDate, &summary.model})
    FUZZ_CHECK(fuzz::IsScriptStringBody(site::ScriptStringBody(*text)));
  site::OtherScriptText(summary);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ExifReader reader;
  reader.LoadBytes(data, size);
  FUZZ_CHECK(reader.Bytes().size() <= exif::kReadBufferSize);
  if (!reader.FindExifBlock()) return 0;
  FUZZ_CHECK(reader.TiffOrigin() >= 10 && reader.TiffOrigin() <= exif::kReadBufferSize);
  WalkDirectory(reader, reader.Ifd0Offset(), reader.Ifd0());
  WalkDirectory(reader, reader.ExifIfdOffset(), reader.ExifIfd());
  WalkDirectory(reader, reader.Ifd1Offset(), reader.Ifd1());
  InformationPage(reader);
  OtherScriptFacts(reader);
  return 0;
}
