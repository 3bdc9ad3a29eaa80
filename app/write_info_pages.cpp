// ③ Writes one shooting-information page per photo,
// "gallery/section/information/inf" + photo number + ".html".
#include <algorithm>

#include "app/gallery_editor_dlg.h"
#include "app/photo_name_list.h"
#include "app/wait_cursor.h"
#include "exif/exif_reader.h"
#include "exif/photo_info.h"
#include "platform/jpg_listing.h"
#include "platform/text_file.h"
#include "site/info_page.h"
#include "texts/info_texts.h"

void CGalleryEditorDlg::OnShootingInfo() {
  state_.abortFlag = 0;

  // The folder is counted afresh; an empty folder still tries photo 1.
  const int folderCount =
      std::max<int>(1, static_cast<int>(platform::ListJpg(paths::kPhotoDir).size()));
  const std::string photoDir = std::string(paths::kPhotoDir) + "/";

  platform::Status outcome;  // pages already written stay
  {
    WaitCursor wait(ui_);
    ExifReader reader;
    InfoValueTexts texts;
    for (int i = 1; i <= folderCount; ++i) {
      const std::string pagePath = paths::InfoPagePath(i);
      texts = InfoValueTexts();
      // A photo beyond the latest listing, or one that cannot be opened, ends the
      // run quietly; the completion note follows.
      if (i > state_.listedPhotos || !reader.Load(photoDir + state_.photoList[i])) break;
      if (!reader.FindExifBlock()) {
        outcome = platform::Fail(txt::kInfoNoExif + PhotoNameList({state_.photoList[i]}));
        break;
      }
      ReadPhotoInfo(reader, texts, infoMemory_);
      MarkMissingValues(texts);
      if (!platform::WriteTextFile(pagePath, ComposeInfoPage(i, texts, infoMemory_))) {
        outcome = platform::Fail(txt::kInfoCannotWritePage + pagePath);
        break;
      }
    }
  }
  EndStep(outcome, txt::kInfoDone);
}
