#pragma once
// Writes synthetic camera JPEGs: SOI, optional filler, an Exif APP1 block at a
// chosen position holding a TIFF structure in either byte order, then a tail
// (EOI by default). Directories are lists of entries; each entry's value is
// either a raw 32-bit value field, a typed value (stored in the value field
// when it fits in four bytes, as TIFF does, else out of line with its offset
// in the value field), or a nested directory (a maker note, say) placed out of
// line. Directories, out-of-line values and byte blobs may be placed at chosen
// TIFF offsets; everything else is laid out after the 8-byte TIFF header, on
// even offsets, in the order IFD0, Exif IFD, IFD1, thumbnail.
//
// Free of any test framework: tools compile it too.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fixture {

enum class Order { kLittle, kBig };

namespace type {
inline constexpr std::uint16_t kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5,
                               kUndefined = 7, kSLong = 9, kSRational = 10;
}

struct Entry {
  enum class Kind { kRaw, kValue, kDirectory };
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  Kind kind = Kind::kRaw;
  // kRaw: the value field, written as one 32-bit quantity in the file's order.
  std::uint32_t raw = 0;
  // kValue: units of unitSize bytes (1, 2 or 4), each written in the file's order.
  unsigned unitSize = 1;
  std::vector<std::uint32_t> units;
  bool outOfLine = false;  // kValue: out of line even when it fits in the value field
  // kValue out of line, or kDirectory: place the data at this TIFF offset.
  std::optional<std::uint32_t> at;
  // kDirectory: its entries and its next-directory offset.
  std::vector<Entry> directory;
  std::uint32_t directoryNext = 0;

  // Places the entry's out-of-line data at a chosen TIFF offset.
  Entry& At(std::uint32_t offset) {
    at = offset;
    outOfLine = true;
    return *this;
  }
  // Stores the value out of line even when it would fit in the value field.
  Entry& OutOfLine() {
    outOfLine = true;
    return *this;
  }
  // Overrides the count written in the entry (the data stays as built).
  Entry& WithCount(std::uint32_t c) {
    count = c;
    return *this;
  }
};

// An entry whose fields are written exactly as given.
Entry Raw(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value);
// ASCII: the text's bytes plus a terminating zero (count includes it).
Entry Ascii(std::uint16_t tag, const std::string& text);
// ASCII without adding a terminating zero (count = text bytes).
Entry AsciiBytes(std::uint16_t tag, const std::string& bytes);
Entry Byte(std::uint16_t tag, std::vector<std::uint8_t> bytes);
Entry Undefined(std::uint16_t tag, std::vector<std::uint8_t> bytes);
Entry Short(std::uint16_t tag, std::uint16_t value);
Entry Shorts(std::uint16_t tag, std::vector<std::uint16_t> values);
Entry Long(std::uint16_t tag, std::uint32_t value);
Entry Longs(std::uint16_t tag, std::vector<std::uint32_t> values);
Entry SLong(std::uint16_t tag, std::int32_t value);
Entry Rational(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator);
Entry SRational(std::uint16_t tag, std::int32_t numerator, std::int32_t denominator);
// A directory stored out of line as UNDEFINED data (a maker note in the form
// of a plain IFD whose offsets count from the TIFF origin).
Entry SubDirectory(std::uint16_t tag, std::vector<Entry> entries, std::uint32_t next = 0);

// The bytes of a directory placed at TIFF offset `at`: count, entries, next
// offset, then the out-of-line data of its entries (those without a chosen
// offset). Data with a chosen offset is returned in `placed` for the caller.
struct PlacedBlob {
  std::uint32_t at;
  std::vector<std::uint8_t> bytes;
};
std::vector<std::uint8_t> EncodeDirectory(Order order, const std::vector<Entry>& entries,
                                          std::uint32_t at, std::uint32_t next,
                                          std::vector<PlacedBlob>& placed);
// Its size in bytes, the same wherever it is placed.
std::uint32_t DirectorySize(const std::vector<Entry>& entries);

class ExifJpeg {
 public:
  explicit ExifJpeg(Order byteOrder = Order::kLittle) : order(byteOrder) {}

  Order order;
  // Written at the TIFF origin; empty means "II" or "MM" after the order.
  std::string byteOrderMark;
  std::uint16_t magic = 42;

  // Where the 0xFF 0xE1 pair starts in the file: SOI at 0, then zero filler
  // (position 2 means right after SOI). Ignored when prefix is set.
  std::size_t app1Position = 2;
  // Bytes written before the pair instead (e.g. SOI plus a JFIF APP0 segment).
  std::vector<std::uint8_t> prefix;
  // The six bytes after the segment length.
  std::string exifId = std::string("Exif\0\0", 6);

  std::vector<Entry> ifd0, exif, ifd1;
  std::optional<std::uint32_t> ifd0Offset, exifOffset, ifd1Offset;
  // Appends a 0x8769 entry pointing at the Exif IFD to IFD0 (when the Exif
  // IFD has entries or a chosen offset).
  bool autoExifPointer = true;
  // IFD0's next-directory field: by default the IFD1 offset when IFD1 exists
  // (entries or thumbnail), else 0.
  std::optional<std::uint32_t> ifd0Next;
  std::uint32_t exifNext = 0;
  std::uint32_t ifd1Next = 0;

  // Placed out of line; 0x0201 and 0x0202 entries are appended to IFD1.
  std::optional<std::vector<std::uint8_t>> thumbnail;
  std::optional<std::uint32_t> thumbnailOffset;

  // Arbitrary bytes at chosen TIFF offsets (written last, over anything else).
  std::vector<PlacedBlob> blobs;

  // Written after the APP1 segment.
  std::vector<std::uint8_t> tail = {0xFF, 0xD9};

  // The TIFF structure alone, from its origin.
  std::vector<std::uint8_t> Tiff() const;
  // The whole file.
  std::vector<std::uint8_t> Build() const;
  // Writes the file; false when it cannot be written.
  bool Write(const std::string& path) const;

  // Where the TIFF origin lies in the built file.
  std::size_t TiffOriginInFile() const;
};

// A small stand-in for an embedded thumbnail: FF D8, `size - 4` filler bytes
// derived from seed, FF D9 (size at least 4).
std::vector<std::uint8_t> FakeThumbnail(std::size_t size, std::uint8_t seed = 1);

}  // namespace fixture
