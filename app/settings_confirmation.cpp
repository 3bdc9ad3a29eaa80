#include "app/gallery_editor_dlg.h"

// The colour and top-photo buttons confirm what they wrote, except after a
// fatal error (abort flag set), when they end the dialog without a word.
void CGalleryEditorDlg::ConfirmOrEnd(const char* confirmation) {
  if (state_.abortFlag) {
    EndDialog();
  } else {
    ShowNote(confirmation);
  }
}
