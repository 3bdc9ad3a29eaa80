#include "app/gallery_file_replace.h"

#include "app/gallery_editor_dlg.h"
#include "platform/text_file.h"
#include "texts/app_texts.h"

std::optional<std::string> ReplaceGalleryFileFailure(const char* path, const std::string& text) {
  const platform::ReplaceResult result = platform::ReplaceTextFile(path, text);
  if (result) return std::nullopt;
  if (result.readOnly) return txt::kReadOnlyHead + std::string(path) + txt::kReadOnlyTail;
  return txt::kCannotWritePrefix + std::string(path);
}

// The file is written beside its old self and renamed over it, so a write that
// fails (folder missing, disk full) leaves the old file whole.
bool CGalleryEditorDlg::ReplaceGalleryFile(const char* path, const std::string& text) {
  auto failure = ReplaceGalleryFileFailure(path, text);
  if (!failure) return true;
  ShowError(*failure);
  return false;
}
