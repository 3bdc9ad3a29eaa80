// ② Copies every photo's embedded Exif thumbnail to "gallery/thumbnail/Tn_" + its name.
#include <algorithm>

#include "app/gallery_editor_dlg.h"
#include "app/wait_cursor.h"
#include "exif/date_name.h"
#include "exif/embedded_thumbnail.h"
#include "exif/exif_reader.h"
#include "platform/jpg_listing.h"
#include "platform/raw_file.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"

void CGalleryEditorDlg::OnMakeThumbnails() {
  state_.abortFlag = 0;

  if (platform::Status listed = ListPhotosForBatchStep(); !listed) {
    StopWithError(listed.error());
    return;
  }
  const int n = state_.listedPhotos;

  // Only the first listed name is checked for the renamed form.
  if (!HasRenamedForm(state_.photoList[1])) {
    StopWithError(txt::kNotRenamed);
    return;
  }
  // A thumbnail folder the tables cannot hold would fail the initialisation
  // that follows; nothing is written into it.
  if (ExceedsPhotoTables(platform::ListJpg(paths::kThumbnailDir))) {
    StopWithError(txt::kTooManyThumbnails);
    return;
  }
  std::sort(state_.photoList.begin() + 1, state_.photoList.begin() + 1 + n);

  const std::string photoDir = std::string(paths::kPhotoDir) + "/";
  platform::Status outcome;
  {
    WaitCursor wait(ui_);
    ExifReader reader;
    for (int i = 1; i <= n; ++i) {
      // A photo that cannot be opened ends the run quietly; the completion note follows.
      if (!reader.Load(photoDir + state_.photoList[i])) break;
      if (!reader.FindExifBlock()) {
        outcome = platform::Fail(txt::kNoExifBlock);
        break;
      }
      // Without a usable thumbnail the file is written empty, so that every photo
      // keeps its photo number. A missing folder is skipped quietly; a thumbnail
      // that cannot be written (a full disk) stops the run.
      std::span<const std::uint8_t> thumbnail = EmbeddedThumbnail(reader);
      state_.thumbnail.assign(thumbnail.begin(), thumbnail.end());
      const std::string path = paths::kThumbnailPrefix + state_.photoList[i];
      if (platform::WriteOwnFile(path, state_.thumbnail.data(), state_.thumbnail.size()) ==
          platform::WriteResult::kFailed) {
        outcome = platform::Fail(txt::kCannotWritePrefix + path);
        break;
      }
    }
  }
  if (EndStep(outcome, txt::kThumbnailsDone)) OnInitDialog();
}
