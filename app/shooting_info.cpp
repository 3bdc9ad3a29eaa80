// ③ Writes one shooting-information page per photo,
// "gallery/section/information/inf" + photo number + ".html".
#include <algorithm>

#include "app/gallery_editor_dlg.h"
#include "app/photo_name_list.h"
#include "exif/exif_reader.h"
#include "exif/photo_info.h"
#include "platform/jpg_listing.h"
#include "platform/text_file.h"
#include "site/info_page.h"
#include "texts/info_texts.h"

namespace {
constexpr char kPagePrefix[] = "gallery/section/information/inf";
}  // namespace

void CGalleryEditorDlg::OnShootingInfo() {
  state_.abortFlag = 0;

  // The folder is counted afresh; an empty folder still tries photo 1.
  const int folderCount =
      std::max<int>(1, static_cast<int>(platform::ListJpg(paths::kPhotoDir).size()));
  const std::string photoDir = std::string(paths::kPhotoDir) + "/";

  ExifReader reader;
  InfoValueTexts texts;
  std::string error;  // the message that stops the run, if one does
  ui_.SetWaitCursor(true);
  for (int i = 1; i <= folderCount; ++i) {
    const std::string pagePath = kPagePrefix + std::to_string(i) + ".html";
    texts = InfoValueTexts();
    // A photo beyond the latest listing, or one that cannot be opened, ends the
    // run quietly; the completion note follows.
    if (i > state_.listedPhotos || !reader.Load(photoDir + state_.photoList[i])) break;
    if (!reader.FindExifBlock()) {
      error = txt::kInfoNoExif + PhotoNameList({state_.photoList[i]});
      break;
    }
    ReadPhotoInfo(reader, texts, infoMemory_);
    MarkMissingValues(texts);
    if (!platform::WriteTextFile(pagePath, ComposeInfoPage(i, texts, infoMemory_))) {
      error = txt::kInfoCannotWritePage + pagePath;
      break;
    }
  }
  ui_.SetWaitCursor(false);

  // Pages already written stay; the program ends.
  if (!error.empty()) {
    StopWithError(error);
    return;
  }
  ShowNote(txt::kInfoDone);
}
