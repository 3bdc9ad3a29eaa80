// ② Copies every photo's embedded Exif thumbnail to "gallery/thumbnail/Tn_" + its name.
#include <algorithm>

#include "app/gallery_editor_dlg.h"
#include "batch/date_name.h"
#include "batch/embedded_thumbnail.h"
#include "batch/exif_reader.h"
#include "platform/jpg_listing.h"
#include "platform/raw_file.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"

void CGalleryEditorDlg::OnMakeThumbnails() {
  state_.abortFlag = 0;

  std::vector<std::string> photos = platform::ListJpg(paths::kPhotoDir);
  if (photos.empty()) {
    ShowError(txt::kNoPhotos);
    state_.abortFlag = 1;
    EndDialog();
    return;
  }
  // More photos or longer names than the photo list holds: nothing is written.
  if (ExceedsPhotoTables(photos)) {
    ShowError(txt::kTooManyPhotos);
    state_.abortFlag = 1;
    EndDialog();
    return;
  }
  const int n = static_cast<int>(photos.size());
  state_.listedPhotos = n;
  for (int i = 1; i <= n; ++i) state_.photoList[i] = photos[i - 1];

  // Only the first listed name is checked for the renamed form.
  if (!HasRenamedForm(photos.front())) {
    ShowError(txt::kNotRenamed);
    state_.abortFlag = 1;
    EndDialog();
    return;
  }
  // A thumbnail folder the tables cannot hold would fail the initialisation
  // that follows; nothing is written into it.
  if (ExceedsPhotoTables(platform::ListJpg(paths::kThumbnailDir))) {
    ShowError(txt::kTooManyThumbnails);
    state_.abortFlag = 1;
    EndDialog();
    return;
  }
  std::sort(state_.photoList.begin() + 1, state_.photoList.begin() + 1 + n);

  const std::string photoDir = std::string(paths::kPhotoDir) + "/";
  const std::string thumbnailPrefix = std::string(paths::kThumbnailDir) + "/Tn_";
  ExifReader reader;
  ui_.SetWaitCursor(true);
  bool waiting = true;
  for (int i = 1; i <= n; ++i) {
    // A photo that cannot be opened ends the run quietly; the completion note follows.
    if (!reader.Load(photoDir + state_.photoList[i])) break;
    if (!reader.FindExifBlock()) {
      ui_.SetWaitCursor(false);
      waiting = false;
      ShowError(txt::kNoExifBlock);
      state_.abortFlag = 1;
      break;
    }
    // Without a usable thumbnail the file is written empty, so that every photo
    // keeps its photo number. A file that cannot be created is skipped quietly.
    std::span<const std::uint8_t> thumbnail = EmbeddedThumbnail(reader);
    state_.thumbnail.assign(thumbnail.begin(), thumbnail.end());
    platform::WriteRaw(thumbnailPrefix + state_.photoList[i], state_.thumbnail.data(),
                       state_.thumbnail.size());
  }
  if (waiting) ui_.SetWaitCursor(false);

  if (state_.abortFlag) {
    EndDialog();
    return;
  }
  ShowNote(txt::kThumbnailsDone);
  OnInitDialog();
}
