#include "app/gallery_editor_dlg.h"
#include "platform/raw_file.h"
#include "texts/app_texts.h"

// Reads the current photo's thumbnail. Pictures are not decoded yet: the
// preview stays empty, but an unreadable thumbnail ends the dialog as it must.
void CGalleryEditorDlg::LoadPreview() {
  std::string path = std::string(paths::kThumbnailDir) + "/Tn_" + state_.currentPhotoName;
  auto data = platform::ReadHead(path, kThumbnailBufferSize + 1);
  if (!data) {
    ShowError(txt::kReadError);
    state_.abortFlag = 1;
    EndDialog();
    return;
  }
  state_.thumbnail = std::move(*data);
  ui_.Invalidate();
}
