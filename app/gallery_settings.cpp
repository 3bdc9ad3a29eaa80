// ⑦ to ⑪ and the top-page photo: the settings the gallery keeps in its own
// data files. Each button rewrites its whole file and confirms.
#include <cstdio>

#include "app/gallery_editor_dlg.h"
#include "app/gallery_file_replace.h"
#include "app/line_rules.h"
#include "platform/text_file.h"
#include "texts/app_texts.h"
#include "texts/editor_texts.h"

// The file is written beside its old self and renamed over it, so a write that
// fails (folder missing, disk full) leaves the old file whole.
platform::Status CGalleryEditorDlg::ReplaceGalleryFile(const char* path, const std::string& text) {
  platform::Status written = platform::ReplaceTextFile(path, text);
  if (!written) ShowError(WriteFailureMessage(written.error()));
  return written;
}

// The settings buttons confirm what they wrote, except after a fatal error
// (abort flag set), when they end the dialog without a word.
void CGalleryEditorDlg::ConfirmOrEnd(const char* confirmation) {
  if (state_.abortFlag) {
    EndDialogAsking();
  } else {
    ShowNote(confirmation);
  }
}

void CGalleryEditorDlg::SetColour(int index, const char* confirmation) {
  DataTables& t = state_.tables;
  // A start-up that stopped early read no colours; the file's own lines are
  // kept rather than replaced by empty ones.
  if (!t.coloursLoaded) LoadColourTable(t);

  // The dialog opens with the colour last accepted here, not the file's.
  if (auto chosen = ui_.ChooseColour(rememberedColours_[index])) {
    rememberedColours_[index] = *chosen;
    char value[8];
    std::snprintf(value, sizeof value, "#%.2x%.2x%.2x", chosen->red, chosen->green, chosen->blue);
    t.colourValues[index] = value;
  }
  // Cancelled or not, the line is composed from the value and the file rewritten.
  t.colour[kColourLine[index]] = lines::ComposeColour(kColourPrefix[index], t.colourValues[index]);
  if (!ReplaceGalleryFile(paths::kColourFile, ColourFileText(t))) return;
  ConfirmOrEnd(confirmation);
}

void CGalleryEditorDlg::OnBgColor() { SetColour(0, txt::kBgColorSet); }
void CGalleryEditorDlg::OnTitleColor() { SetColour(1, txt::kTitleColorSet); }
void CGalleryEditorDlg::OnItemColor() { SetColour(2, txt::kItemColorSet); }
void CGalleryEditorDlg::OnDataColor() { SetColour(3, txt::kDataColorSet); }

void CGalleryEditorDlg::OnResetColors() {
  // The lines only: the colour values and the remembered dialog colours stay,
  // so a colour dialog cancelled afterwards writes its old value back.
  if (!state_.tables.coloursLoaded) LoadColourTable(state_.tables);
  FillDefaultColours(state_.tables);
  if (!ReplaceGalleryFile(paths::kColourFile, ColourFileText(state_.tables))) return;
  ConfirmOrEnd(txt::kColoursReset);
}

// "この写真をトップ画面の写真とする": the current photo's number for the gallery's top page.
void CGalleryEditorDlg::OnTopPhoto() {
  if (platform::Status written = WriteTopPhoto(state_.currentPhoto); !written) {
    ShowError(WriteFailureMessage(written.error()));
    return;
  }
  ConfirmOrEnd(txt::kTopPhotoChosen);
}

platform::Status CGalleryEditorDlg::WriteTopPhoto(int n) {
  std::string text = std::string(txt::kTopPhotoHeader[0]) + txt::kTopPhotoHeader[1] +
                     "var k = " + std::to_string(n) + ";\n";
  return platform::ReplaceTextFile(paths::kTopPhotoFile, text);
}
