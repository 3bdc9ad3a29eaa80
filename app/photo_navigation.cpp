// The six navigation buttons. Each bounds the new photo number only on the
// side it moves to, and shows the photo again even when the number is unchanged.
#include <algorithm>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "app/line_rules.h"
#include "texts/app_texts.h"

namespace {
constexpr int kJump = 20;
}

void CGalleryEditorDlg::ShowPhoto(int n) {
  // Without photos there is nothing to show; a photo number of 0 has no name
  // and no thumbnail, and reading it would end the dialog.
  if (state_.photoCount <= 0 || n < 1 || n > kMaxPhotos) return;

  imageWidth_ = imageHeight_ = 0;
  red_.reset();
  green_.reset();
  blue_.reset();

  state_.currentPhoto = n;
  state_.currentPhotoName = state_.photoList[n];
  state_.numberLabel = txt::kNumberLabelPrefix + std::to_string(n);

  const DataTables& t = state_.tables;
  SetEdit(ctl::kTitleEdit, lines::Extract(t.title[n + 2], lines::TitlePrefix(n).size()));
  SetEdit(ctl::kMemoEdit, lines::ExtractMemo(t.memo[n + 2], lines::MemoPrefix(n).size()));
  // The theme edit belongs to the whole gallery and keeps what it holds.

  LoadPreview();
}

void CGalleryEditorDlg::OnFirst() { ShowPhoto(1); }

void CGalleryEditorDlg::OnJumpBack() { ShowPhoto(std::max(state_.currentPhoto - kJump, 1)); }

void CGalleryEditorDlg::OnBack() { ShowPhoto(std::max(state_.currentPhoto - 1, 1)); }

void CGalleryEditorDlg::OnNext() {
  ShowPhoto(std::min(state_.currentPhoto + 1, state_.photoCount));
}

void CGalleryEditorDlg::OnJumpForward() {
  ShowPhoto(std::min(state_.currentPhoto + kJump, state_.photoCount));
}

void CGalleryEditorDlg::OnLast() { ShowPhoto(state_.photoCount); }
