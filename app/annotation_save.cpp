// "データ保存": the subject, title and memo tables into their files.
#include <algorithm>

#include "app/gallery_editor_dlg.h"
#include "app/gallery_file_replace.h"
#include "app/line_rules.h"
#include "app/wait_cursor.h"
#include "platform/text_file.h"
#include "texts/app_texts.h"
#include "texts/editor_texts.h"

void CGalleryEditorDlg::OnSaveData() {
  DataTables& t = state_.tables;
  // A start-up that stopped early loaded nothing; empty tables written now
  // would wipe the gallery's theme, titles and memos.
  if (!t.annotationsLoaded) {
    ShowError(txt::kNothingLoaded);
    return;
  }

  platform::Status saved;
  {
    WaitCursor wait(ui_);
    saved = WriteAnnotationFiles();
  }
  if (!saved) {
    ShowError(WriteFailureMessage(saved.error()));
    return;
  }
  ShowNote(txt::kSaved);
}

platform::Status CGalleryEditorDlg::WriteAnnotationFiles() {
  DataTables& t = state_.tables;
  // Line breaks typed into the theme or a title go: the parts are joined.
  const int lastLine = std::clamp(state_.photoCount, 0, kMaxPhotos) + kHeaderLines;
  for (auto& line : t.subject) line = lines::Normalise(line);
  for (int i = 0; i < lastLine; ++i) {
    t.title[i] = lines::Normalise(t.title[i]);
    t.memo[i] = lines::Normalise(t.memo[i]);
  }
  const std::pair<const char*, std::string> files[] = {
      {paths::kSubjectFile, SubjectFileText(t)},
      {paths::kTitleFile, TitleFileText(t, state_.photoCount)},
      {paths::kMemoFile, MemoFileText(t, state_.photoCount)},
  };
  // Each file is replaced whole or not at all; the first that fails stops the save.
  for (const auto& [path, text] : files)
    if (platform::Status written = platform::ReplaceTextFile(path, text); !written) return written;
  state_.unsaved = {};
  return {};
}
