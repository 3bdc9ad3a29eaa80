// ① Renames every photo in "Pelvora" after its shooting date and time.
#include <algorithm>

#include "app/gallery_editor_dlg.h"
#include "app/wait_cursor.h"
#include "exif/date_name.h"
#include "exif/exif_reader.h"
#include "platform/file_rename.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"

void CGalleryEditorDlg::OnRenameByDate() {
  state_.abortFlag = 0;

  if (platform::Status listed = ListPhotosForBatchStep(); !listed) {
    StopWithError(listed.error());
    return;
  }
  const int n = state_.listedPhotos;

  const std::string dir = std::string(paths::kPhotoDir) + "/";
  platform::Status outcome;
  {
    WaitCursor wait(ui_);
    ExifReader reader;
    for (int i = 1; i <= n; ++i) {
      // A photo that cannot be opened ends the run quietly; the completion note follows.
      if (!reader.Load(dir + state_.photoList[i])) break;
      if (!reader.FindExifBlock()) {
        outcome = platform::Fail(txt::kNoExifBlock);
        break;
      }
      // No date, a taken name, or a name that would leave "Pelvora": the photo
      // keeps its name, and so do all the photos after it.
      std::optional<DateBuffer> date = ReadShootingDate(reader);
      std::string newName = date ? NameFromDate(*date) : std::string();
      if (!date || !IsPlainFileName(newName) ||
          !platform::RenameNoReplace(dir + state_.photoList[i], dir + newName)) {
        outcome = platform::Fail(txt::kNoShootingDate);
        break;
      }
      state_.photoList[i] = newName;
    }
    std::sort(state_.photoList.begin() + 1, state_.photoList.begin() + 1 + n);
  }
  EndStep(outcome, txt::kRenameDone);
}
