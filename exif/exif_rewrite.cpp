#include "exif/exif_rewrite.h"

#include <algorithm>

#include "exif/bounded_bytes.h"

namespace {

constexpr std::uint16_t kTypeShort = 3, kTypeLong = 4, kTypeRational = 5;
constexpr std::uint32_t kHeaderBytes = 8;
// Values that are offsets into the source's layout, which this rewrite does
// not follow: strips, tiles, sub-IFDs, the source's own thumbnail.
constexpr std::uint16_t kOffsetTags[] = {0x0111, 0x0144, 0x014A, 0x0201, 0x0202};

std::uint32_t TypeSize(std::uint16_t type) {
  switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
      return 1;  // BYTE, ASCII, SBYTE, UNDEFINED
    case 3:
    case 8:
      return 2;  // SHORT, SSHORT
    case 4:
    case 9:
    case 11:
    case 13:
      return 4;  // LONG, SLONG, FLOAT, IFD
    case 5:
    case 10:
    case 12:
      return 8;  // RATIONAL, SRATIONAL, DOUBLE
    default:
      return 0;
  }
}

// Where a piece of the new layout lies: a directory, the thumbnail, the maker's note.
enum class Piece { kIfd0, kExif, kGps, kInterop, kIfd1, kThumbnail, kNone };

struct OutEntry {
  std::uint16_t tag = 0, type = 0;
  std::uint32_t count = 0;
  std::uint32_t field = 0;          // the value field as one 32-bit quantity in the file's order
  std::vector<std::uint8_t> bytes;  // out-of-line value
  Piece pointsTo = Piece::kNone;    // the field is that piece's offset
  bool atOwnOffset = false;         // the maker's note: the field is kept
};

struct OutDirectory {
  std::vector<OutEntry> entries;
  bool present = false;
  Piece next = Piece::kNone;

  std::uint32_t Size() const {
    std::uint32_t size = 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
    for (const OutEntry& e : entries)
      if (!e.atOwnOffset) size += (static_cast<std::uint32_t>(e.bytes.size()) + 1) & ~1u;
    return size;
  }
};

std::uint32_t ShortField(std::uint16_t value, bool littleEndian) {
  return littleEndian ? value : std::uint32_t{value} << 16;
}

bool IsOffsetTag(std::uint16_t tag) {
  return std::find(std::begin(kOffsetTags), std::end(kOffsetTags), tag) != std::end(kOffsetTags);
}

// The entries of a source directory that can be carried: inline values as
// they are, out-of-line values copied; pointers are the caller's.
std::vector<OutEntry> CarryEntries(const ExifReader& source, const ExifDirectory& directory) {
  std::vector<OutEntry> out;
  for (const ExifEntry& e : directory) {
    if (IsOffsetTag(e.tag)) continue;
    const std::uint32_t unit = TypeSize(e.type);
    if (unit == 0) continue;  // an unknown type: its size is unknown
    OutEntry entry{e.tag, e.type, e.count, e.value, {}, Piece::kNone, false};
    const std::uint64_t size = std::uint64_t{unit} * e.count;
    if (size > 4) {
      // All of the value's units (ValueBytes gives count bytes, whatever the type).
      auto bytes = source.Tiff().Bytes(e.value, size);
      if (!bytes) continue;
      entry.bytes.assign(bytes->begin(), bytes->end());
      entry.field = 0;
    }
    out.push_back(std::move(entry));
  }
  return out;
}

// Replaces every entry with the tag by one, in ascending tag position when none was there.
void SetEntry(std::vector<OutEntry>& entries, OutEntry entry) {
  auto same = [&](const OutEntry& e) { return e.tag == entry.tag; };
  auto it = std::find_if(entries.begin(), entries.end(), same);
  if (it != entries.end()) {
    *it = entry;
    entries.erase(std::remove_if(it + 1, entries.end(), same), entries.end());
    return;
  }
  auto at = std::find_if(entries.begin(), entries.end(),
                         [&](const OutEntry& e) { return e.tag > entry.tag; });
  entries.insert(at, std::move(entry));
}

void RemoveEntry(std::vector<OutEntry>& entries, std::uint16_t tag) {
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [&](const OutEntry& e) { return e.tag == tag; }),
                entries.end());
}

// A directory the pointer entry leads to, or an absent one (the pointer then goes).
OutDirectory PointedDirectory(const ExifReader& source, const ExifDirectory& parent,
                              std::uint16_t pointerTag) {
  OutDirectory out;
  auto pointer = ExifReader::FindTag(parent, pointerTag);
  if (!pointer) return out;
  ExifDirectory table;
  if (!source.ReadDirectory(pointer->value, table)) return out;
  out.entries = CarryEntries(source, table);
  out.present = true;
  return out;
}

void LinkOrRemove(std::vector<OutEntry>& entries, std::uint16_t tag, const OutDirectory& child,
                  Piece piece) {
  if (child.present)
    SetEntry(entries, {tag, kTypeLong, 1, 0, {}, piece, false});
  else
    RemoveEntry(entries, tag);
}

class Writer {
 public:
  Writer(std::uint32_t size, bool littleEndian) : bytes_(size), little_(littleEndian) {}
  void U16(std::uint32_t at, std::uint16_t v) { Put(at, v, 2); }
  void U32(std::uint32_t at, std::uint32_t v) { Put(at, v, 4); }
  void Copy(std::uint32_t at, const std::vector<std::uint8_t>& data) {
    std::copy(data.begin(), data.end(), bytes_.begin() + at);
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  void Put(std::uint32_t at, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) {
      const int shift = 8 * (little_ ? i : size - 1 - i);
      bytes_[at + static_cast<std::uint32_t>(i)] = static_cast<std::uint8_t>(v >> shift);
    }
  }
  std::vector<std::uint8_t> bytes_;
  bool little_;
};

struct Layout {
  std::uint32_t at[6] = {};  // by Piece
  std::uint32_t size = kHeaderBytes;
};

// Places each piece at the first even offset after the previous one that
// keeps clear of the maker's note's bytes [reservedFrom, reservedTo).
Layout Place(const OutDirectory (&dirs)[5], std::size_t thumbnailSize, std::uint32_t reservedFrom,
             std::uint32_t reservedTo) {
  Layout layout;
  std::uint32_t cursor = kHeaderBytes;
  layout.size = std::max(kHeaderBytes, reservedTo);
  auto put = [&](int piece, std::uint32_t size) {
    cursor = (cursor + 1) & ~1u;
    if (cursor < reservedTo && cursor + size > reservedFrom) cursor = (reservedTo + 1) & ~1u;
    layout.at[piece] = cursor;
    cursor += size;
    layout.size = std::max(layout.size, cursor);
  };
  for (int d = 0; d < 5; ++d)
    if (dirs[d].present) put(d, dirs[d].Size());
  if (thumbnailSize)
    put(static_cast<int>(Piece::kThumbnail), static_cast<std::uint32_t>(thumbnailSize));
  return layout;
}

void WriteDirectory(Writer& w, const OutDirectory& dir, std::uint32_t at, const Layout& layout) {
  const auto n = static_cast<std::uint32_t>(dir.entries.size());
  w.U16(at, static_cast<std::uint16_t>(n));
  std::uint32_t data = at + 2 + 12 * n + 4;
  for (std::uint32_t i = 0; i < n; ++i) {
    const OutEntry& e = dir.entries[i];
    const std::uint32_t p = at + 2 + 12 * i;
    std::uint32_t field = e.field;
    if (e.pointsTo != Piece::kNone) {
      field = layout.at[static_cast<int>(e.pointsTo)];
    } else if (!e.atOwnOffset && !e.bytes.empty()) {
      field = data;
      w.Copy(data, e.bytes);
      data += (static_cast<std::uint32_t>(e.bytes.size()) + 1) & ~1u;
    }
    w.U16(p, e.tag);
    w.U16(p + 2, e.type);
    w.U32(p + 4, e.count);
    w.U32(p + 8, field);
  }
  w.U32(at + 2 + 12 * n, dir.next == Piece::kNone ? 0 : layout.at[static_cast<int>(dir.next)]);
}

}  // namespace

std::optional<std::span<const std::uint8_t>> ExifItemTiff(std::span<const std::uint8_t> item) {
  const BoundedBytes bytes(item);
  auto offset = bytes.U32(0, false);
  if (!offset) return std::nullopt;
  const std::uint64_t start = 4 + std::uint64_t{*offset};
  return bytes.Slice(start, item.size() >= start ? item.size() - start : 0);
}

std::optional<JpegExif> RewriteExifForJpeg(const ExifReader& source, std::uint32_t width,
                                           std::uint32_t height,
                                           std::span<const std::uint8_t> thumbnail) {
  const bool little = source.LittleEndian();
  auto ifd0Offset = source.Ifd0Offset();
  ExifDirectory ifd0Table;
  if (!ifd0Offset || !source.ReadDirectory(*ifd0Offset, ifd0Table)) return std::nullopt;

  enum { kIfd0, kExif, kGps, kInterop, kIfd1 };
  OutDirectory dirs[5];
  dirs[kIfd0].present = true;
  dirs[kIfd0].entries = CarryEntries(source, ifd0Table);
  SetEntry(dirs[kIfd0].entries,
           {exif::kTagOrientation, kTypeShort, 1, ShortField(1, little), {}, Piece::kNone, false});
  RemoveEntry(dirs[kIfd0].entries, exif::kTagInteropIfdPointer);  // belongs to the Exif IFD

  dirs[kExif] = PointedDirectory(source, ifd0Table, exif::kTagExifIfdPointer);
  dirs[kGps] = PointedDirectory(source, ifd0Table, exif::kTagGpsIfdPointer);
  LinkOrRemove(dirs[kIfd0].entries, exif::kTagExifIfdPointer, dirs[kExif], Piece::kExif);
  LinkOrRemove(dirs[kIfd0].entries, exif::kTagGpsIfdPointer, dirs[kGps], Piece::kGps);

  // The maker's note stays at its own offset, or goes.
  std::uint32_t noteFrom = 0, noteTo = 0;
  bool noteDropped = false;
  if (dirs[kExif].present) {
    ExifDirectory exifTable;
    source.ReadDirectory(ExifReader::FindTag(ifd0Table, exif::kTagExifIfdPointer)->value,
                         exifTable);
    dirs[kInterop] = PointedDirectory(source, exifTable, exif::kTagInteropIfdPointer);
    std::vector<OutEntry>& entries = dirs[kExif].entries;
    LinkOrRemove(entries, exif::kTagInteropIfdPointer, dirs[kInterop], Piece::kInterop);
    for (auto [tag, value] : {std::pair{exif::kTagPixelXDimension, width},
                              std::pair{exif::kTagPixelYDimension, height}}) {
      if (ExifReader::FindTag(exifTable, tag))
        SetEntry(entries, {tag, kTypeLong, 1, value, {}, Piece::kNone, false});
    }
    auto note = std::find_if(entries.begin(), entries.end(),
                             [](const OutEntry& e) { return e.tag == exif::kTagMakerNote; });
    auto sourceNote = ExifReader::FindTag(exifTable, exif::kTagMakerNote);
    if (sourceNote && note == entries.end() && sourceNote->count > 4) noteDropped = true;
    if (note != entries.end() && !note->bytes.empty()) {
      const std::uint64_t end = std::uint64_t{sourceNote->value} + note->bytes.size();
      if (sourceNote->value >= kHeaderBytes && end <= exif::kMaxJpegTiffBytes) {
        note->atOwnOffset = true;
        note->field = sourceNote->value;
        noteFrom = sourceNote->value;
        noteTo = static_cast<std::uint32_t>(end);
      } else {
        entries.erase(note);
        noteDropped = true;
      }
    }
  }

  if (!thumbnail.empty()) {
    const auto length = static_cast<std::uint32_t>(thumbnail.size());
    dirs[kIfd1].present = true;
    dirs[kIfd1].entries = {
        {0x0103, kTypeShort, 1, ShortField(6, little), {}, Piece::kNone, false},  // JPEG
        {0x011A, kTypeRational, 1, 0, {}, Piece::kNone, false},
        {0x011B, kTypeRational, 1, 0, {}, Piece::kNone, false},
        {0x0128, kTypeShort, 1, ShortField(2, little), {}, Piece::kNone, false},  // inches
        {exif::kTagThumbnailStart, kTypeLong, 1, 0, {}, Piece::kThumbnail, false},
        {exif::kTagThumbnailLength, kTypeLong, 1, length, {}, Piece::kNone, false},
    };
    // 72/1 in the file's byte order.
    Writer resolution(8, little);
    resolution.U32(0, 72);
    resolution.U32(4, 1);
    dirs[kIfd1].entries[1].bytes = dirs[kIfd1].entries[2].bytes = resolution.Take();
    dirs[kIfd0].next = Piece::kIfd1;
  }

  Layout layout = Place(dirs, thumbnail.size(), noteFrom, noteTo);
  if (layout.size > exif::kMaxJpegTiffBytes && noteTo) {
    // Without the maker's note the rest may fit.
    RemoveEntry(dirs[kExif].entries, exif::kTagMakerNote);
    noteDropped = true;
    noteFrom = noteTo = 0;
    layout = Place(dirs, thumbnail.size(), 0, 0);
  }
  if (layout.size > exif::kMaxJpegTiffBytes) return std::nullopt;

  Writer w(layout.size, little);
  w.U16(0, little ? 0x4949 : 0x4D4D);
  w.U16(2, 42);
  w.U32(4, layout.at[kIfd0]);
  for (int d = 0; d < 5; ++d)
    if (dirs[d].present) WriteDirectory(w, dirs[d], layout.at[d], layout);
  if (noteTo) {
    for (const OutEntry& e : dirs[kExif].entries)
      if (e.atOwnOffset) w.Copy(noteFrom, e.bytes);
  }
  if (!thumbnail.empty())
    w.Copy(layout.at[static_cast<int>(Piece::kThumbnail)],
           std::vector<std::uint8_t>(thumbnail.begin(), thumbnail.end()));
  return JpegExif{w.Take(), noteDropped};
}
