// ⑤ "HTMLファイル作成": five pages per photo, family by family. The pages carry
// only their photo number; everything else they read from the data scripts
// when the browser shows them.
#include "app/gallery_editor_dlg.h"
#include "platform/text_file.h"
#include "site/page_families.h"
#include "texts/app_texts.h"
#include "texts/site_texts.h"

void CGalleryEditorDlg::OnHtmlFiles() {
  ui_.SetWaitCursor(true);
  std::string unwritable;
  for (const site::PageFamily& family : site::PageFamilies()) {
    for (int n = 1; n <= state_.photoCount && unwritable.empty(); ++n) {
      std::string path = family.path(n);
      if (!platform::WriteTextFile(path, family.text(n))) unwritable = path;
    }
  }
  ui_.SetWaitCursor(false);

  // A page that cannot be written stops the step and ends the dialog.
  if (!unwritable.empty()) {
    ShowError(txt::kCannotWritePrefix + unwritable);
    state_.abortFlag = 1;
  }
  if (state_.abortFlag) {
    EndDialog();
    return;
  }
  ShowNote(txt::kPagesDone);
}
