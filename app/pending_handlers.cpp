// Buttons whose handlers are not built yet. Each is removed from here when its
// handler lands in a file of its own.
#include "app/control_ids.h"
#include "app/gallery_editor_dlg.h"

void CGalleryEditorDlg::OnHtmlData() {}
void CGalleryEditorDlg::OnHtmlFiles() {}

bool CGalleryEditorDlg::IsHandlerAvailable(int controlId) {
  // clang-format off
  static const int kPending[] = {
      ctl::kData,
      ctl::kPages,
      0,
  };
  // clang-format on
  for (int id : kPending)
    if (id == controlId) return false;
  return true;
}
