#pragma once
// The data scripts button ④ writes for the gallery's pages: "other.js"
// (paths::kOtherScript) with the summary of the photos and "filename.js"
// (paths::kFileNameScript) with every photo's file name.
#include <string>
#include <vector>

namespace site {

struct GallerySummary {
  int folderCount = 0;    // photos in "Pelvora" at the time of the run: maisu
  std::string firstDate;  // YYYY.MM.DD of the first photo, Shift-JIS bytes
  std::string lastDate;   // of the photo numbered folderCount
  std::string model;      // camera model of the first photo
};

// The nine lines of "other.js", "\n" line ends. The camera texts go through
// ScriptStringBody: whatever bytes a photo holds, the script parses.
std::string OtherScriptText(const GallerySummary& summary);

// Three header lines, then `fileName[i] = "name";` for i = 1 … photoCount.
// Entry i is photoList[i]; a number beyond the names listed last has no
// photo and gets an empty name. Names go through ScriptStringBody too.
std::string FileNameScriptText(const std::vector<std::string>& photoList, int photoCount,
                               int listedPhotos);

// "screen.js" (paths::kScreenScript): two header lines, then
// `screenName[i] = "name";` for each photo that has a screen copy, from 0.
std::string ScreenScriptText(const std::vector<std::string>& names);

}  // namespace site
