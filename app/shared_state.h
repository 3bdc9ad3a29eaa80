#pragma once
// The state every handler of the main dialog shares.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/data_tables.h"

inline constexpr std::size_t kNameSize = 100;  // a name of at most 99 bytes
// A photo name may have at most 96 bytes, so that its thumbnail's name, "Tn_"
// plus the photo's, still fits in kNameSize.
inline constexpr std::size_t kMaxPhotoNameBytes = kNameSize - 1 - 3;
inline constexpr std::size_t kThumbnailBufferSize = 32768;

// What "登録・更新" put into the tables since the data files were last saved,
// as Shift-JIS values: the theme, and each photo's title and memo by its file
// name, so that they follow their photo when ② or ④ renumbers the tables.
struct UnsavedTexts {
  bool any = false;  // set by every registration, cleared by a save
  std::optional<std::string> theme;
  struct PhotoTexts {
    std::string title, memo;  // the memo's line breaks as CR LF
  };
  std::map<std::string, PhotoTexts> photos;
};

struct SharedState {
  // Entry n is photo number n; entry 0 is unused.
  std::vector<std::string> photoList = std::vector<std::string>(kMaxPhotos + 1);
  int listedPhotos = 0;  // names listed from "Pelvora" by the latest listing
  int photoCount = 0;    // thumbnails found at start-up
  int currentPhoto = 1;
  int abortFlag = 0;
  std::string currentPhotoName;
  std::string numberLabel;  // Shift-JIS
  std::string countLabel;   // Shift-JIS
  std::vector<std::uint8_t> thumbnail;
  DataTables tables;
  UnsavedTexts unsaved;
};

// A listing of photos the fixed tables cannot hold: more than 1000 names, or a
// name of more than 96 bytes.
bool ExceedsPhotoTables(const std::vector<std::string>& names);
// The message that refuses such a listing (Shift-JIS): the names too long
// follow it, as the batch steps name photos.
std::string TooManyPhotosMessage(const std::vector<std::string>& names);
