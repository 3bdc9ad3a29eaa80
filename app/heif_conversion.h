#pragma once
// ① first turns every HEIF photo directly in "Pelvora" into a JPEG the other
// steps read like a camera's: the picture upright, the HEIF's Exif block with
// Orientation 1 and a thumbnail in IFD1, its colour profile. The JPEG is
// written under a temporary name no step lists, flushed to the disk, named as
// the HEIF with ".jpg" ("-2", "-3", … when that is taken), and only then the
// HEIF moves, unchanged, into "Pelvora/HEIC/": a kill at any moment loses
// nothing, and a JPEG named before a kill is recognised by its bytes the next
// time, so no photo is converted twice.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class ThumbnailMaker;

inline constexpr char kHeifFolder[] = "HEIC";

// *.heic and *.heif, any letter case.
bool IsHeifName(const std::string& name);

// The JPEG a HEIF photo becomes; nothing when it cannot be decoded or has no
// readable Exif block. The maker makes the IFD1 thumbnail as ② makes one.
// makerNoteDropped, when given, tells whether the maker's note had to be left
// out (its offsets did not allow it to move).
std::optional<std::vector<std::uint8_t>> HeifToJpeg(std::span<const std::uint8_t> heif,
                                                    ThumbnailMaker& maker,
                                                    bool* makerNoteDropped = nullptr);

struct HeifConversion {
  std::vector<std::string> converted;         // the JPEGs' names
  std::vector<std::string> kept;              // HEIF photos that stay: undecodable, no Exif block
  std::vector<std::string> makerNoteDropped;  // HEIF photos whose JPEG lacks the maker's note
  bool stopped = false;                       // the user stopped it; the rest were not started
};

// Converts the named HEIF photos in dir (ending in "/"), on two threads when
// there are several. progress gets the number finished, on the calling
// thread; when it returns false no further photo is started.
HeifConversion ConvertHeifPhotos(const std::string& dir, const std::vector<std::string>& names,
                                 const std::function<bool(int finished)>& progress);
