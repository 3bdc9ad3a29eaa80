#include "app/gallery_editor_dlg.h"
#include "platform/text_file.h"
#include "texts/app_texts.h"

// The file is written beside its old self and renamed over it, so a write that
// fails (folder missing, disk full) leaves the old file whole.
bool CGalleryEditorDlg::ReplaceGalleryFile(const char* path, const std::string& text) {
  if (platform::ReplaceTextFile(path, text)) return true;
  ShowError(txt::kCannotWritePrefix + std::string(path));
  return false;
}
