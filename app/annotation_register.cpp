// "登録・更新": the three edits into the line tables, in memory only.
#include "app/annotation_text.h"
#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"

void CGalleryEditorDlg::OnRegister() {
  const int n = state_.currentPhoto;
  if (n < 1 || n > kMaxPhotos) return;

  using annotation::Field;
  // Every edit is checked before any line changes: a refused text registers nothing.
  const std::pair<Field, int> kEdits[] = {
      {Field::kTheme, ctl::kThemeEdit},
      {Field::kTitle, ctl::kTitleEdit},
      {Field::kMemo, ctl::kMemoEdit},
  };
  std::string composed[3];
  for (int i = 0; i < 3; ++i) {
    auto line = annotation::ComposeFromEdit(kEdits[i].first, ui_.GetEditText(kEdits[i].second), n);
    if (!line) {
      ui_.ShowMessage(line.error(), UiPort::MessageStyle::kError);
      return;
    }
    composed[i] = std::move(*line);
  }
  DataTables& t = state_.tables;
  t.subject[2] = std::move(composed[0]);
  t.title[n + 2] = std::move(composed[1]);
  t.memo[n + 2] = std::move(composed[2]);
}
