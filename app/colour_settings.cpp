// ⑦ to ⑪: the four page colours and their reset, each rewriting the whole colour file.
#include <cstdio>

#include "app/gallery_editor_dlg.h"
#include "app/line_rules.h"
#include "texts/editor_texts.h"

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
