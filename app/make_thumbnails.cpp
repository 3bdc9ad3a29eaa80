// ② Writes every photo's thumbnail to "gallery/thumbnail/Tn_" + its name: the
// embedded Exif thumbnail byte for byte, turned upright for a photo taken
// sideways, or one made from the picture when there is no usable embedded one.
#include <algorithm>

#include "app/gallery_editor_dlg.h"
#include "app/photo_name_list.h"
#include "app/picture_thumbnails.h"
#include "app/wait_cursor.h"
#include "exif/date_name.h"
#include "exif/embedded_thumbnail.h"
#include "exif/exif_reader.h"
#include "picture/thumbnail_maker.h"
#include "platform/encoding.h"
#include "platform/jpg_listing.h"
#include "platform/raw_file.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"
#include "texts/kept_texts.h"

namespace {

// The note after the completion message: the photos left with an empty
// thumbnail, one line per reason in the order first met, each followed by
// its photos as the batch steps' messages name them.
std::string EmptyThumbnailNote(const std::vector<std::pair<std::string, std::string>>& empty) {
  std::vector<std::pair<std::string, std::vector<std::string>>> byReason;
  for (const auto& photo : empty) {
    const std::string& reason = photo.second;
    auto it = std::find_if(byReason.begin(), byReason.end(),
                           [&](const auto& group) { return group.first == reason; });
    if (it == byReason.end()) it = byReason.insert(byReason.end(), {reason, {}});
    it->second.push_back(photo.first);
  }
  std::string note = txt::kEmptyThumbnails;
  for (const auto& [reason, names] : byReason) note += "\n" + reason + PhotoNameList(names);
  return note;
}

}  // namespace

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
  if (platform::Status names = CheckLinkSafeNames(); !names) {
    StopWithError(names.error());
    return;
  }
  // A thumbnail folder the tables cannot hold would fail the initialisation
  // that follows, which only counts thumbnails; nothing is written into it.
  if (platform::ListJpg(paths::kThumbnailDir).size() > static_cast<std::size_t>(kMaxPhotos)) {
    StopWithError(txt::kTooManyThumbnails);
    return;
  }
  std::sort(state_.photoList.begin() + 1, state_.photoList.begin() + 1 + n);

  const std::string photoDir = std::string(paths::kPhotoDir) + "/";
  platform::Status outcome;
  std::vector<std::pair<std::string, std::string>> emptyThumbnails;  // name, reason
  std::vector<std::string> unreadable;  // named after the completion note
  {
    WaitCursor wait(ui_);
    ui_.SetProgressStep(platform::SjisToUtf8(txt::kStepThumbnails));
    ExifReader reader;
    ThumbnailMaker maker;
    // Photos whose thumbnail is made from the picture: the slow part, done
    // after the Exif pass, on two threads when there are many.
    std::vector<PictureThumbnailJob> fromPictures;
    std::vector<std::string> pictureNames;  // the jobs' photos
    int done = 0;
    bool stopped = false;
    for (int i = 1; i <= n; ++i) {
      // The user's stop ends the loop quietly; the completion note follows.
      if (!ui_.Progress(done, n)) {
        stopped = true;
        break;
      }
      const std::string& name = state_.photoList[i];
      if (!reader.Load(photoDir + name)) {
        unreadable.push_back(name);
        ++done;
        continue;
      }
      if (!reader.FindExifBlock()) {
        outcome = platform::Fail(txt::kNoExifBlock + PhotoNameList({name}));
        break;
      }
      // A missing folder is skipped quietly; a thumbnail that cannot be
      // written (a full disk) stops the run.
      const std::string thumbnailPath = paths::kThumbnailPrefix + name;
      const int orientation = reader.Orientation();
      std::span<const std::uint8_t> embedded =
          EmbeddedThumbnail(reader).value_or(std::span<const std::uint8_t>());
      if (!embedded.empty() && orientation >= 2 && orientation <= 8) {
        if (platform::Result<JpegBytes> upright = maker.UprightEmbedded(embedded, orientation)) {
          if (!platform::WriteOwnFile(thumbnailPath, upright->data(), upright->size())) {
            outcome = platform::Fail(txt::kCannotWritePrefix + thumbnailPath);
            break;
          }
          ++done;
          continue;
        }
        embedded = {};  // one the codec cannot read: made from the picture instead
      }
      if (embedded.empty()) {
        fromPictures.push_back({photoDir + name, thumbnailPath, orientation});
        pictureNames.push_back(name);
        continue;
      }
      if (!platform::WriteOwnFile(thumbnailPath, embedded.data(), embedded.size())) {
        outcome = platform::Fail(txt::kCannotWritePrefix + thumbnailPath);
        break;
      }
      ++done;
    }
    // After the user's stop no picture is started. Otherwise the thumbnails
    // of the photos before a photo that ended the loop are written.
    const int copied = done;
    if (!stopped) {
      platform::Result<std::vector<EmptyThumbnail>> pictures = MakePictureThumbnails(
          fromPictures, [&](int finished) { return ui_.Progress(copied + finished, n); });
      // One that could not be written comes before the photo that stopped the loop.
      if (!pictures) {
        outcome = platform::Fail(pictures.error());
      } else {
        for (const EmptyThumbnail& e : *pictures)
          emptyThumbnails.push_back({pictureNames[e.job], e.reason});
      }
    }
  }
  if (EndStep(outcome, txt::kThumbnailsDone)) {
    if (!emptyThumbnails.empty()) ShowNote(EmptyThumbnailNote(emptyThumbnails));
    if (!unreadable.empty()) ShowError(txt::kUnreadableNoThumbnail + PhotoNameList(unreadable));
    OnInitDialog();
  }
}
