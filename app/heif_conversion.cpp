#include "app/heif_conversion.h"

#include <strings.h>

#include <filesystem>
#include <memory>

#include "app/picture_thumbnails.h"
#include "app/two_thread_jobs.h"
#include "exif/exif_reader.h"
#include "exif/exif_rewrite.h"
#include "picture/heif_photo.h"
#include "picture/jpeg_segments.h"
#include "picture/thumbnail_maker.h"
#include "platform/file_rename.h"
#include "platform/raw_file.h"
#include "platform/synced_file.h"
#include "platform/text_file.h"

namespace {

// How many "-N" names a JPEG or a moved HEIF may try before it gives up.
constexpr int kMaxNameSuffix = 1000;
constexpr std::size_t kHeifSuffixSize = 5;  // ".heic", ".heif"

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

bool HoldsBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  auto file = platform::ReadHead(path, bytes.size() + 1);
  return file && *file == bytes;
}

std::string Suffixed(const std::string& stem, int k, const std::string& extension) {
  std::string name = stem;
  if (k != 1) {
    name += '-';
    name += std::to_string(k);
  }
  return name + extension;
}

// Gives the JPEG its name beside the HEIF; the name, or nothing when the
// folder refuses every one (the temporary file is then gone too).
std::optional<std::string> NameJpeg(const std::string& dir, const std::string& temp,
                                    const std::string& stem,
                                    const std::vector<std::uint8_t>& jpeg) {
  std::error_code ec;
  for (int k = 1; k <= kMaxNameSuffix; ++k) {
    const std::string name = Suffixed(stem, k, ".jpg");
    if (platform::RenameNoReplace(temp, dir + name)) return name;
    // The very JPEG, named by a run cut short before its HEIF moved.
    if (HoldsBytes(dir + name, jpeg)) {
      std::filesystem::remove(temp, ec);
      return name;
    }
    if (!Exists(dir + name)) break;  // the folder refuses the name itself
  }
  std::filesystem::remove(temp, ec);
  return std::nullopt;
}

// The HEIF into the HEIF folder, unchanged; it stays where it is when that fails.
void MoveHeif(const std::string& dir, const std::string& name) {
  const std::string folder = dir + kHeifFolder + "/";
  if (!platform::MakeFolder(dir + kHeifFolder)) return;
  const std::string stem = name.substr(0, name.size() - kHeifSuffixSize);
  const std::string extension = name.substr(name.size() - kHeifSuffixSize);
  for (int k = 1; k <= kMaxNameSuffix; ++k) {
    const std::string target = folder + Suffixed(stem, k, extension);
    if (platform::RenameNoReplace(dir + name, target) || !Exists(target)) return;
  }
}

struct Converted {
  std::string jpegName;
  bool makerNoteDropped = false;
};

// The JPEG's name, or nothing when the HEIF stays as it is.
std::optional<Converted> ConvertOne(const std::string& dir, const std::string& name,
                                    ThumbnailMaker& maker) {
  auto file = platform::ReadHead(dir + name, kMaxPhotoFileBytes);
  if (!file) return std::nullopt;
  bool makerNoteDropped = false;
  std::optional<std::vector<std::uint8_t>> jpeg = HeifToJpeg(*file, maker, &makerNoteDropped);
  if (!jpeg) return std::nullopt;
  // A dot name: no step lists it, and a leftover goes at the next ①.
  const std::string temp = dir + "." + name + std::string(platform::kTemporarySuffix);
  std::error_code ec;
  std::filesystem::remove(temp, ec);
  if (!platform::WriteSyncedNewFile(temp, jpeg->data(), jpeg->size())) return std::nullopt;
  std::optional<std::string> jpegName =
      NameJpeg(dir, temp, name.substr(0, name.size() - kHeifSuffixSize), *jpeg);
  if (!jpegName) return std::nullopt;
  platform::SyncFolder(dir);
  MoveHeif(dir, name);
  return Converted{*jpegName, makerNoteDropped};
}

}  // namespace

bool IsHeifName(const std::string& name) {
  if (name.size() < kHeifSuffixSize) return false;
  const char* suffix = name.c_str() + name.size() - kHeifSuffixSize;
  return strcasecmp(suffix, ".heic") == 0 || strcasecmp(suffix, ".heif") == 0;
}

std::optional<std::vector<std::uint8_t>> HeifToJpeg(std::span<const std::uint8_t> heif,
                                                    ThumbnailMaker& maker, bool* makerNoteDropped) {
  HeifPhoto photo;
  if (!photo.Open(heif)) return std::nullopt;
  auto tiff = ExifItemTiff(photo.ExifItem());
  ExifReader exif;
  if (!tiff || !exif.LoadTiffBytes(tiff->data(), tiff->size())) return std::nullopt;
  // An image carrying its own rotation is upright once decoded; one without
  // is turned by its Exif orientation (some phones write only the tag).
  std::optional<EncodedPicture> picture =
      photo.ToJpeg(photo.Transformed() ? 1 : exif.Orientation());
  if (!picture) return std::nullopt;
  const JpegBytes thumbnail = maker.FromPicture(picture->jpeg, 1).value_or(JpegBytes());
  std::optional<JpegExif> block =
      RewriteExifForJpeg(exif, static_cast<std::uint32_t>(picture->width),
                         static_cast<std::uint32_t>(picture->height), thumbnail);
  if (!block) return std::nullopt;
  if (makerNoteDropped) *makerNoteDropped = block->makerNoteDropped;
  std::vector<std::uint8_t> jpeg =
      WithExifAndProfile(picture->jpeg, block->tiff, photo.ColourProfile());
  if (jpeg.empty()) return std::nullopt;
  return jpeg;
}

HeifConversion ConvertHeifPhotos(const std::string& dir, const std::vector<std::string>& names,
                                 const std::function<bool(int finished)>& progress) {
  // One result per photo, each written by one thread; empty: kept.
  std::vector<std::optional<Converted>> results(names.size());
  std::vector<char> started(names.size(), 0);
  bool goOn = true;
  RunOnTwoThreads(
      names.size(),
      [&]() -> JobWorker {
        auto maker = std::make_shared<ThumbnailMaker>();  // one per thread
        return [&, maker](std::size_t i) {
          started[i] = 1;
          results[i] = ConvertOne(dir, names[i], *maker);
          return true;  // a photo that stays is no reason to stop the others
        };
      },
      [&](int finished) { return goOn = progress(finished); });
  HeifConversion outcome;
  outcome.stopped = !goOn;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (results[i]) {
      outcome.converted.push_back(results[i]->jpegName);
      if (results[i]->makerNoteDropped) outcome.makerNoteDropped.push_back(names[i]);
    } else if (started[i]) {
      outcome.kept.push_back(names[i]);
    }
  }
  return outcome;
}
