// "登録・更新": the three edits into the line tables, in memory only.
#include "app/annotation_text.h"
#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "app/line_rules.h"

void CGalleryEditorDlg::OnRegister() { RegisterEdits(); }

bool CGalleryEditorDlg::RegisterEdits() {
  const int n = state_.currentPhoto;
  if (n < 1 || n > kMaxPhotos) return true;

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
      return false;
    }
    composed[i] = std::move(*line);
  }
  DataTables& t = state_.tables;
  t.subject[2] = std::move(composed[0]);
  t.title[n + 2] = std::move(composed[1]);
  t.memo[n + 2] = std::move(composed[2]);
  // Kept by name too, so that a renumbering before the save does not lose it.
  UnsavedTexts& unsaved = state_.unsaved;
  unsaved.any = true;
  unsaved.theme = lines::Extract(t.subject[2], lines::SubjectPrefix().size());
  if (const std::string& name = state_.photoList[n]; !name.empty()) {
    unsaved.photos[name] = {lines::Extract(t.title[n + 2], lines::TitlePrefix(n).size()),
                            lines::ExtractMemo(t.memo[n + 2], lines::MemoPrefix(n).size())};
  }
  return true;
}
