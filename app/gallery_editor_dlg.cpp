#include "app/gallery_editor_dlg.h"

#include <algorithm>

#include "app/dialog_controls.h"
#include "app/line_rules.h"
#include "app/startup_report.h"
#include "platform/encoding.h"
#include "platform/jpg_listing.h"
#include "platform/text_file.h"
#include "texts/app_texts.h"
#include "texts/version_texts.h"

bool ExceedsPhotoTables(const std::vector<std::string>& names) {
  if (names.size() > static_cast<std::size_t>(kMaxPhotos)) return true;
  return std::any_of(names.begin(), names.end(),
                     [](const std::string& name) { return name.size() >= kNameSize; });
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

void CGalleryEditorDlg::OnOK() { EndDialog(); }

void CGalleryEditorDlg::StopWithError(const std::string& sjis) {
  ShowError(sjis);
  state_.abortFlag = 1;
  EndDialog();
}

bool CGalleryEditorDlg::EndStep(const platform::Status& outcome, const char* completionNote) {
  if (!outcome) {
    StopWithError(outcome.error());
    return false;
  }
  if (state_.abortFlag) {
    EndDialog();
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
  if (ExceedsPhotoTables(photos)) return platform::Fail(txt::kTooManyPhotos);
  state_.listedPhotos = static_cast<int>(photos.size());
  for (std::size_t i = 0; i < photos.size(); ++i) state_.photoList[i + 1] = photos[i];
  return {};
}

void CGalleryEditorDlg::SetEdit(int id, const std::string& sjis) {
  ui_.SetEditText(id, platform::SjisToUtf8(sjis));
}

bool CGalleryEditorDlg::OnInitDialog() {
  state_.abortFlag = 0;
  // A save cut short (power cut, killed program) leaves its temporary file.
  platform::RemoveLeftoverTemporaries(paths::kDataDir);

  std::vector<std::string> photos = platform::ListJpg(paths::kPhotoDir);
  const auto onlyForRename = [] {
    const RenameListing listing = ListForRename(paths::kPhotoDir);
    return !listing.heif.empty() || !listing.photos.empty();
  };
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
    ShowError(txt::kTooManyPhotos);
    state_.abortFlag = 1;
    return true;
  }
  state_.listedPhotos = static_cast<int>(photos.size());
  for (std::size_t i = 0; i < photos.size(); ++i) state_.photoList[i + 1] = photos[i];

  // Renamed photos are named YYYY_MM_DD_HH_MM_SS.jpg; only the first is checked.
  const std::string& first = photos.front();
  if (first.size() <= 16 || first[13] != '_' || first[16] != '_') {
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
