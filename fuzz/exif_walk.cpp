// Fuzz target: the Exif walk over one photo's first 65,536 bytes. Finds the
// APP1 block, reads IFD0, the Exif IFD and IFD1, and fetches every entry's
// value as bytes, as a C string and as 16- and 32-bit numbers.
#include "batch/exif_reader.h"
#include "fuzz/fuzz_target.h"

namespace {

void WalkDirectory(const ExifReader& reader, std::optional<std::uint32_t> offset) {
  if (!offset) return;
  ExifDirectory table;
  reader.ReadDirectory(*offset, table);
  FUZZ_CHECK(table.size() <= exif::kMaxDirectoryEntries);
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ExifReader reader;
  reader.LoadBytes(data, size);
  FUZZ_CHECK(reader.Bytes().size() <= exif::kReadBufferSize);
  if (!reader.FindExifBlock()) return 0;
  WalkDirectory(reader, reader.Ifd0Offset());
  WalkDirectory(reader, reader.ExifIfdOffset());
  WalkDirectory(reader, reader.Ifd1Offset());
  return 0;
}
