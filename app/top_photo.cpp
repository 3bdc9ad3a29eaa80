// "この写真をトップ画面の写真とする": the current photo's number for the gallery's top page.
#include "app/gallery_editor_dlg.h"
#include "texts/editor_texts.h"

void CGalleryEditorDlg::OnTopPhoto() {
  std::string text = std::string(txt::kTopPhotoHeader[0]) + txt::kTopPhotoHeader[1] +
                     "var k = " + std::to_string(state_.currentPhoto) + ";\n";
  if (!ReplaceGalleryFile(paths::kTopPhotoFile, text)) return;
  ConfirmOrEnd(txt::kTopPhotoChosen);
}
