#include "tests/support/exif_builder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace fixture {
namespace {

std::uint32_t Even(std::uint32_t n) { return n + (n & 1u); }

void PutUnit(std::vector<std::uint8_t>& out, Order order, std::uint32_t v, unsigned size) {
  for (unsigned i = 0; i < size; ++i) {
    unsigned shift = order == Order::kLittle ? 8 * i : 8 * (size - 1 - i);
    out.push_back(static_cast<std::uint8_t>(v >> shift));
  }
}

std::vector<std::uint8_t> ValueData(Order order, const Entry& e) {
  std::vector<std::uint8_t> out;
  for (std::uint32_t u : e.units) PutUnit(out, order, u, e.unitSize);
  return out;
}

// Size of the data an entry keeps outside its value field (0 when inline or raw).
std::uint32_t OutOfLineSize(const Entry& e) {
  switch (e.kind) {
    case Entry::Kind::kRaw:
      return 0;
    case Entry::Kind::kValue: {
      auto size = static_cast<std::uint32_t>(e.units.size() * e.unitSize);
      return (size > 4 || e.outOfLine) ? size : 0;
    }
    case Entry::Kind::kDirectory:
      return DirectorySize(e.directory);
  }
  return 0;
}

void Overwrite(std::vector<std::uint8_t>& out, std::uint32_t at,
               const std::vector<std::uint8_t>& bytes) {
  if (out.size() < std::size_t{at} + bytes.size()) out.resize(std::size_t{at} + bytes.size());
  std::copy(bytes.begin(), bytes.end(), out.begin() + at);
}

Entry Values(std::uint16_t tag, std::uint16_t type, unsigned unitSize,
             std::vector<std::uint32_t> units, std::uint32_t count) {
  Entry e;
  e.tag = tag;
  e.type = type;
  e.count = count;
  e.kind = Entry::Kind::kValue;
  e.unitSize = unitSize;
  e.units = std::move(units);
  return e;
}

std::vector<std::uint32_t> BytesAsUnits(const std::string& s) {
  std::vector<std::uint32_t> units;
  for (unsigned char c : s) units.push_back(c);
  return units;
}

// Chosen offsets of out-of-line data, nested directories included.
void CollectFixed(const std::vector<Entry>& entries,
                  std::vector<std::pair<std::uint32_t, std::uint32_t>>& fixed) {
  for (const Entry& e : entries) {
    if (e.at && OutOfLineSize(e) > 0) fixed.push_back({*e.at, OutOfLineSize(e)});
    if (e.kind == Entry::Kind::kDirectory) CollectFixed(e.directory, fixed);
  }
}

class Allocator {
 public:
  void Reserve(std::uint32_t at, std::uint32_t size) {
    if (size > 0) used_.push_back({at, std::uint64_t{at} + size});
  }
  std::uint32_t Allocate(std::uint32_t size) {
    std::uint64_t pos = 8;
    for (bool moved = true; moved;) {
      moved = false;
      for (const auto& [begin, end] : used_) {
        if (pos < end && pos + std::max<std::uint32_t>(size, 1) > begin) {
          pos = end + (end & 1u);
          moved = true;
        }
      }
    }
    Reserve(static_cast<std::uint32_t>(pos), size);
    return static_cast<std::uint32_t>(pos);
  }

 private:
  std::vector<std::pair<std::uint64_t, std::uint64_t>> used_;
};

}  // namespace

Entry Raw(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
  Entry e;
  e.tag = tag;
  e.type = type;
  e.count = count;
  e.raw = value;
  return e;
}

Entry Ascii(std::uint16_t tag, const std::string& text) {
  return AsciiBytes(tag, text + std::string(1, '\0'));
}

Entry AsciiBytes(std::uint16_t tag, const std::string& bytes) {
  return Values(tag, type::kAscii, 1, BytesAsUnits(bytes),
                static_cast<std::uint32_t>(bytes.size()));
}

Entry Byte(std::uint16_t tag, std::vector<std::uint8_t> bytes) {
  auto n = static_cast<std::uint32_t>(bytes.size());
  return Values(tag, type::kByte, 1, std::vector<std::uint32_t>(bytes.begin(), bytes.end()), n);
}

Entry Undefined(std::uint16_t tag, std::vector<std::uint8_t> bytes) {
  auto n = static_cast<std::uint32_t>(bytes.size());
  return Values(tag, type::kUndefined, 1, std::vector<std::uint32_t>(bytes.begin(), bytes.end()),
                n);
}

Entry Short(std::uint16_t tag, std::uint16_t value) { return Shorts(tag, {value}); }

Entry Shorts(std::uint16_t tag, std::vector<std::uint16_t> values) {
  auto n = static_cast<std::uint32_t>(values.size());
  return Values(tag, type::kShort, 2, std::vector<std::uint32_t>(values.begin(), values.end()), n);
}

Entry Long(std::uint16_t tag, std::uint32_t value) { return Longs(tag, {value}); }

Entry Longs(std::uint16_t tag, std::vector<std::uint32_t> values) {
  auto n = static_cast<std::uint32_t>(values.size());
  return Values(tag, type::kLong, 4, std::move(values), n);
}

Entry SLong(std::uint16_t tag, std::int32_t value) {
  return Values(tag, type::kSLong, 4, {static_cast<std::uint32_t>(value)}, 1);
}

Entry Rational(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator) {
  return Values(tag, type::kRational, 4, {numerator, denominator}, 1);
}

Entry SRational(std::uint16_t tag, std::int32_t numerator, std::int32_t denominator) {
  return Values(tag, type::kSRational, 4,
                {static_cast<std::uint32_t>(numerator), static_cast<std::uint32_t>(denominator)},
                1);
}

Entry SubDirectory(std::uint16_t tag, std::vector<Entry> entries, std::uint32_t next) {
  Entry e;
  e.tag = tag;
  e.type = type::kUndefined;
  e.kind = Entry::Kind::kDirectory;
  e.directory = std::move(entries);
  e.directoryNext = next;
  e.count = DirectorySize(e.directory);
  return e;
}

std::uint32_t DirectorySize(const std::vector<Entry>& entries) {
  auto size = static_cast<std::uint32_t>(2 + 12 * entries.size() + 4);
  for (const Entry& e : entries)
    if (!e.at) size += Even(OutOfLineSize(e));
  return size;
}

std::vector<std::uint8_t> EncodeDirectory(Order order, const std::vector<Entry>& entries,
                                          std::uint32_t at, std::uint32_t next,
                                          std::vector<PlacedBlob>& placed) {
  std::vector<std::uint8_t> head;
  std::vector<std::uint8_t> data;
  const auto dataStart = static_cast<std::uint32_t>(at + 2 + 12 * entries.size() + 4);
  PutUnit(head, order, static_cast<std::uint32_t>(entries.size()), 2);
  for (const Entry& e : entries) {
    PutUnit(head, order, e.tag, 2);
    PutUnit(head, order, e.type, 2);
    PutUnit(head, order, e.count, 4);
    std::uint32_t outSize = OutOfLineSize(e);
    if (e.kind == Entry::Kind::kRaw) {
      PutUnit(head, order, e.raw, 4);
      continue;
    }
    if (outSize == 0) {  // a value that fits in the value field, left-justified
      std::vector<std::uint8_t> bytes = ValueData(order, e);
      bytes.resize(4, 0);
      head.insert(head.end(), bytes.begin(), bytes.end());
      continue;
    }
    std::uint32_t pos = e.at ? *e.at : dataStart + static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> bytes =
        e.kind == Entry::Kind::kDirectory
            ? EncodeDirectory(order, e.directory, pos, e.directoryNext, placed)
            : ValueData(order, e);
    PutUnit(head, order, pos, 4);
    if (e.at) {
      placed.push_back({pos, std::move(bytes)});
    } else {
      data.insert(data.end(), bytes.begin(), bytes.end());
      if (data.size() & 1u) data.push_back(0);
    }
  }
  PutUnit(head, order, next, 4);
  head.insert(head.end(), data.begin(), data.end());
  return head;
}

std::vector<std::uint8_t> ExifJpeg::Tiff() const {
  const bool hasExif = !exif.empty() || exifOffset.has_value();
  const bool hasIfd1 = !ifd1.empty() || thumbnail.has_value() || ifd1Offset.has_value();

  std::vector<Entry> ifd0Final = ifd0;
  if (hasExif && autoExifPointer) ifd0Final.push_back(Long(0x8769, 0));
  std::vector<Entry> ifd1Final = ifd1;
  if (thumbnail) {
    ifd1Final.push_back(Long(0x0201, 0));
    ifd1Final.push_back(Long(0x0202, static_cast<std::uint32_t>(thumbnail->size())));
  }

  Allocator alloc;
  alloc.Reserve(0, 8);
  std::vector<std::pair<std::uint32_t, std::uint32_t>> fixed;
  CollectFixed(ifd0Final, fixed);
  CollectFixed(exif, fixed);
  CollectFixed(ifd1Final, fixed);
  for (auto [at, size] : fixed) alloc.Reserve(at, size);
  if (ifd0Offset) alloc.Reserve(*ifd0Offset, DirectorySize(ifd0Final));
  if (hasExif && exifOffset) alloc.Reserve(*exifOffset, DirectorySize(exif));
  if (hasIfd1 && ifd1Offset) alloc.Reserve(*ifd1Offset, DirectorySize(ifd1Final));
  if (thumbnail && thumbnailOffset)
    alloc.Reserve(*thumbnailOffset, static_cast<std::uint32_t>(thumbnail->size()));

  const std::uint32_t ifd0At = ifd0Offset ? *ifd0Offset : alloc.Allocate(DirectorySize(ifd0Final));
  std::uint32_t exifAt = 0;
  if (hasExif) exifAt = exifOffset ? *exifOffset : alloc.Allocate(DirectorySize(exif));
  std::uint32_t ifd1At = 0;
  if (hasIfd1) ifd1At = ifd1Offset ? *ifd1Offset : alloc.Allocate(DirectorySize(ifd1Final));
  std::uint32_t thumbAt = 0;
  if (thumbnail)
    thumbAt = thumbnailOffset ? *thumbnailOffset
                              : alloc.Allocate(static_cast<std::uint32_t>(thumbnail->size()));

  if (hasExif && autoExifPointer) ifd0Final.back().units = {exifAt};
  if (thumbnail) ifd1Final[ifd1Final.size() - 2].units = {thumbAt};

  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> header;
  std::string mark =
      byteOrderMark.empty() ? (order == Order::kLittle ? "II" : "MM") : byteOrderMark;
  mark.resize(2, '\0');
  header.push_back(static_cast<std::uint8_t>(mark[0]));
  header.push_back(static_cast<std::uint8_t>(mark[1]));
  PutUnit(header, order, magic, 2);
  PutUnit(header, order, ifd0At, 4);
  Overwrite(out, 0, header);

  std::vector<PlacedBlob> placed;
  std::uint32_t next0 = ifd0Next ? *ifd0Next : (hasIfd1 ? ifd1At : 0);
  Overwrite(out, ifd0At, EncodeDirectory(order, ifd0Final, ifd0At, next0, placed));
  if (hasExif) Overwrite(out, exifAt, EncodeDirectory(order, exif, exifAt, exifNext, placed));
  if (hasIfd1) Overwrite(out, ifd1At, EncodeDirectory(order, ifd1Final, ifd1At, ifd1Next, placed));
  if (thumbnail) Overwrite(out, thumbAt, *thumbnail);
  for (const PlacedBlob& blob : placed) Overwrite(out, blob.at, blob.bytes);
  for (const PlacedBlob& blob : blobs) Overwrite(out, blob.at, blob.bytes);
  return out;
}

std::size_t ExifJpeg::TiffOriginInFile() const {
  return (prefix.empty() ? app1Position : prefix.size()) + 10;
}

std::vector<std::uint8_t> ExifJpeg::Build() const {
  std::vector<std::uint8_t> file = prefix;
  if (prefix.empty()) {
    file = {0xFF, 0xD8};
    file.resize(app1Position, 0);
  }
  std::vector<std::uint8_t> tiff = Tiff();
  std::size_t length = std::min<std::size_t>(0xFFFF, 2 + 6 + tiff.size());
  file.insert(file.end(), {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                           static_cast<std::uint8_t>(length & 0xFF)});
  std::string id = exifId;
  id.resize(6, '\0');
  file.insert(file.end(), id.begin(), id.end());
  file.insert(file.end(), tiff.begin(), tiff.end());
  file.insert(file.end(), tail.begin(), tail.end());
  return file;
}

bool ExifJpeg::Write(const std::string& path) const {
  std::vector<std::uint8_t> bytes = Build();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<std::uint8_t> FakeThumbnail(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes = {0xFF, 0xD8};
  for (std::size_t i = 0; i + 4 < size; ++i)
    bytes.push_back(static_cast<std::uint8_t>((seed * 31 + i * 7) % 251));  // never 0xFF
  bytes.push_back(0xFF);
  bytes.push_back(0xD9);
  return bytes;
}

}  // namespace fixture
