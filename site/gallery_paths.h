#pragma once
// Where the gallery's files lie, relative to the current folder, which holds
// "Pelvora/" and "gallery/" side by side. The per-photo pages of button ⑤ name
// their paths in their page families.
#include <string>

namespace paths {

inline constexpr char kPhotoDir[] = "Pelvora";
inline constexpr char kThumbnailDir[] = "gallery/thumbnail";
// A photo's thumbnail is this prefix followed by the photo's name.
inline constexpr char kThumbnailPrefix[] = "gallery/thumbnail/Tn_";

// ⑤'s pictures for today's screens, named as their photos: a sharp tile for
// the menu, and a screen copy of a photo too large to send to a screen whole.
inline constexpr char kTileDir[] = "gallery/tile";
inline constexpr char kScreenDir[] = "gallery/screen";

inline constexpr char kDataDir[] = "gallery/data";
inline constexpr char kSubjectFile[] = "gallery/data/subject.js";  // the theme
inline constexpr char kTitleFile[] = "gallery/data/title.js";
inline constexpr char kMemoFile[] = "gallery/data/note.js";  // the memos: "note" on disk
inline constexpr char kColourFile[] = "gallery/data/colordata.js";
inline constexpr char kTopPhotoFile[] = "gallery/data/gallerytoppic.js";
inline constexpr char kOtherScript[] = "gallery/data/other.js";
inline constexpr char kFileNameScript[] = "gallery/data/filename.js";
inline constexpr char kScreenScript[] = "gallery/data/screen.js";  // photos with a screen copy

// The information page of photo number n (button ③).
inline std::string InfoPagePath(int n) {
  return "gallery/section/information/inf" + std::to_string(n) + ".html";
}

// Every folder of the gallery as delivered, parents first.
inline constexpr const char* kGalleryFolders[] = {
    "Pelvora",
    "gallery",
    "gallery/data",
    "gallery/thumbnail",
    "gallery/tile",
    "gallery/screen",
    "gallery/notes",
    "gallery/section",
    "gallery/section/pic",
    "gallery/section/title",
    "gallery/section/action",
    "gallery/section/information",
    "gallery/section/space",
    "gallery/section/notestitle",
    "gallery/section/inftitle",
    "gallery/menu",
    "gallery/slideshow",
    "vornami",
};

}  // namespace paths
