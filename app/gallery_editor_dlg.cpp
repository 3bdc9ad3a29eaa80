#include "app/gallery_editor_dlg.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "app/annotation_carry.h"
#include "app/dialog_controls.h"
#include "app/gallery_file_replace.h"
#include "app/line_rules.h"
#include "app/link_safe_name.h"
#include "app/photo_name_list.h"
#include "app/startup_report.h"
#include "exif/date_name.h"
#include "platform/encoding.h"
#include "platform/jpg_listing.h"
#include "platform/text_file.h"
#include "texts/app_texts.h"
#include "texts/kept_texts.h"
#include "texts/version_texts.h"

namespace {
bool Overlong(const std::string& name) { return name.size() > kMaxPhotoNameBytes; }
}  // namespace

bool ExceedsPhotoTables(const std::vector<std::string>& names) {
  if (names.size() > static_cast<std::size_t>(kMaxPhotos)) return true;
  return std::any_of(names.begin(), names.end(), Overlong);
}

std::string TooManyPhotosMessage(const std::vector<std::string>& names) {
  std::vector<std::string> overlong;
  std::copy_if(names.begin(), names.end(), std::back_inserter(overlong), Overlong);
  return txt::kTooManyPhotos + (overlong.empty() ? std::string() : PhotoNameList(overlong));
}

void CGalleryEditorDlg::ShowError(const std::string& sjis) {
  ui_.ShowMessage(platform::SjisToUtf8(sjis), UiPort::MessageStyle::kError);
}

void CGalleryEditorDlg::ShowNote(const std::string& sjis) {
  ui_.ShowMessage(platform::SjisToUtf8(sjis), UiPort::MessageStyle::kNote);
}

void CGalleryEditorDlg::EndDialog() {
  ended_ = true;
  ui_.EndDialog();
}

void CGalleryEditorDlg::OnOK() { EndDialogAsking(); }

bool CGalleryEditorDlg::HasUnsavedTexts() {
  const DataTables& t = state_.tables;
  // Tables never loaded cannot be saved: there is nothing to ask about.
  if (!t.annotationsLoaded) return false;
  if (state_.unsaved.any) return true;
  const int n = state_.currentPhoto;
  if (n < 1 || n > kMaxPhotos) return false;
  // The edits show what the tables hold until the user types.
  auto shown = [this](int id) { return ui_.GetEditText(id); };
  return shown(ctl::kThemeEdit) !=
             platform::SjisToUtf8(lines::Extract(t.subject[2], lines::SubjectPrefix().size())) ||
         shown(ctl::kTitleEdit) !=
             platform::SjisToUtf8(lines::Extract(t.title[n + 2], lines::TitlePrefix(n).size())) ||
         shown(ctl::kMemoEdit) !=
             platform::SjisToUtf8(lines::ExtractMemo(t.memo[n + 2], lines::MemoPrefix(n).size()));
}

bool CGalleryEditorDlg::EndDialogAsking() {
  if (HasUnsavedTexts()) {
    switch (ui_.AskToSave(platform::SjisToUtf8(txt::kAskSave))) {
      case UiPort::SaveAnswer::kCancel:
        return false;
      case UiPort::SaveAnswer::kDiscard:
        break;
      case UiPort::SaveAnswer::kSave: {
        // What is typed is registered first; a refused text or a failed
        // write keeps the dialog open with its message.
        if (!RegisterEdits()) return false;
        if (platform::Status saved = WriteAnnotationFiles(); !saved) {
          ShowError(WriteFailureMessage(saved.error()));
          return false;
        }
        break;
      }
    }
  }
  EndDialog();
  return true;
}

// After a fatal error the dialog ends as well, though not before unsaved
// texts were offered for saving.
void CGalleryEditorDlg::StopWithError(const std::string& sjis) {
  ShowError(sjis);
  state_.abortFlag = 1;
  EndDialogAsking();
}

bool CGalleryEditorDlg::EndStep(const platform::Status& outcome, const char* completionNote) {
  if (!outcome) {
    StopWithError(outcome.error());
    return false;
  }
  if (state_.abortFlag) {
    EndDialogAsking();
    return false;
  }
  ShowNote(completionNote);
  return true;
}

platform::Status CGalleryEditorDlg::ListPhotosForBatchStep() {
  return TakePhotoList(platform::ListJpg(paths::kPhotoDir));
}

platform::Status CGalleryEditorDlg::TakePhotoList(const std::vector<std::string>& photos) {
  if (photos.empty()) return platform::Fail(txt::kNoPhotos);
  // More photos or longer names than the photo list holds: nothing is touched.
  if (ExceedsPhotoTables(photos)) return platform::Fail(TooManyPhotosMessage(photos));
  state_.listedPhotos = static_cast<int>(photos.size());
  for (std::size_t i = 0; i < photos.size(); ++i) state_.photoList[i + 1] = photos[i];
  return {};
}

platform::Status CGalleryEditorDlg::CheckLinkSafeNames() const {
  const auto listed = state_.photoList.begin() + 1;
  const std::string message =
      LinkBreakingNamesMessage(std::vector<std::string>(listed, listed + state_.listedPhotos));
  if (!message.empty()) return platform::Fail(message);
  return {};
}

void CGalleryEditorDlg::SetEdit(int id, const std::string& sjis) {
  ui_.SetEditText(id, platform::SjisToUtf8(sjis));
}

bool CGalleryEditorDlg::OnInitDialog() {
  state_.abortFlag = 0;
  // A save cut short (power cut, killed program) leaves its temporary file.
  platform::RemoveLeftoverTemporaries(paths::kDataDir);
  OfferUpgrade();

  std::vector<std::string> photos = platform::ListJpg(paths::kPhotoDir);
  const auto onlyForRename = [] {
    const RenameListing listing = ListForRename(paths::kPhotoDir);
    return !listing.heif.empty() || !listing.photos.empty();
  };
  // A new gallery: where a window system can wait, the user copies the photos
  // and comes back, and the start-up goes on with them.
  std::error_code ec;
  const std::string photoFolder = (std::filesystem::absolute(paths::kPhotoDir, ec)).string();
  while (photos.empty() && !onlyForRename() &&
         ui_.WaitForPhotos(platform::SjisToUtf8(txt::kWaitPhotosHead) + photoFolder +
                               platform::SjisToUtf8(txt::kWaitPhotosTail),
                           photoFolder))
    photos = platform::ListJpg(paths::kPhotoDir);
  if (photos.empty() && onlyForRename()) {
    // Only HEIF or *.jpeg photos so far: ① makes them *.jpg, so the dialog stays for it.
    ShowError(txt::kNotRenamed);
    state_.abortFlag = 1;
    return true;
  }
  if (photos.empty()) {
    ShowError(txt::kNoPhotos);
    EndDialog();
    return false;
  }
  // More photos or longer names than the tables hold: say so and load nothing.
  if (ExceedsPhotoTables(photos)) {
    ShowError(TooManyPhotosMessage(photos));
    state_.abortFlag = 1;
    return true;
  }
  state_.listedPhotos = static_cast<int>(photos.size());
  for (std::size_t i = 0; i < photos.size(); ++i) state_.photoList[i + 1] = photos[i];

  // Renamed photos are named YYYY_MM_DD_HH_MM_SS.jpg; only the first is checked.
  if (!HasRenamedForm(photos.front())) {
    ShowError(txt::kNotRenamed);
    state_.abortFlag = 1;
    return true;
  }
  // The listing is already in ascending byte order.

  std::vector<std::string> thumbnails = platform::ListJpg(paths::kThumbnailDir);
  if (thumbnails.empty()) {
    ShowError(txt::kNoThumbnails);
    state_.abortFlag = 1;
    return true;
  }
  // Thumbnails are only counted; their names are built from the photo names.
  if (thumbnails.size() > static_cast<std::size_t>(kMaxPhotos)) {
    ShowError(txt::kTooManyThumbnails);
    state_.abortFlag = 1;
    return true;
  }
  state_.photoCount = static_cast<int>(thumbnails.size());

  imageWidth_ = imageHeight_ = 0;
  red_.reset();
  green_.reset();
  blue_.reset();
  state_.currentPhoto = 1;
  state_.currentPhotoName = state_.photoList[1];
  state_.numberLabel = std::string(txt::kNumberLabelPrefix) + "1";
  state_.countLabel = txt::kCountLabelPrefix + std::to_string(state_.photoCount);

  DataTables& t = state_.tables;
  LoadDataTables(t, state_.photoCount);
  // After ②, what was registered and not saved stays, at its photo's number.
  ApplyUnsavedTexts(state_, t);
  // Neither report stops the start-up: the user can go on and run ②, or save.
  const std::string mismatch = ThumbnailMismatchMessage(photos, thumbnails);
  if (!mismatch.empty()) ShowError(mismatch);
  for (const auto& message : DamagedLinesMessages(t.damaged)) ShowError(message);
  SetEdit(ctl::kThemeEdit, lines::Extract(t.subject[2], lines::SubjectPrefix().size()));
  SetEdit(ctl::kTitleEdit, lines::Extract(t.title[3], lines::TitlePrefix(1).size()));
  SetEdit(ctl::kMemoEdit, lines::ExtractMemo(t.memo[3], lines::MemoPrefix(1).size()));

  LoadPreview();
  return true;
}

void CGalleryEditorDlg::OnSysCommand(unsigned commandId) {
  if ((commandId & ~0xFu) == 16) ui_.ShowAboutBox();
}

std::vector<PaintedText> CGalleryEditorDlg::PaintTexts() const {
  std::vector<PaintedText> texts = {
      {platform::SjisToUtf8(txt::kCaption), {0, 0, 150}, 32, 18},
      {platform::SjisToUtf8(txt::kVersionText), {160, 50, 0}, 530, 10},
  };
  if (!state_.abortFlag) {
    texts.push_back({platform::SjisToUtf8(state_.countLabel), {150, 0, 0}, 160, 255});
    texts.push_back({platform::SjisToUtf8(state_.numberLabel), {0, 0, 150}, 160, 235});
    texts.push_back({platform::SjisToUtf8(state_.currentPhotoName), {0, 150, 0}, 160, 45});
  }
  return texts;
}

bool CGalleryEditorDlg::Click(int controlId) {
  const DialogControl* control = FindDialogControl(controlId);
  if (!control || !control->handler) return false;
  (this->*control->handler)();
  return true;
}
