// Buttons whose handlers are not built yet. Each is removed from here when its
// handler lands in a file of its own.
#include "app/control_ids.h"
#include "app/gallery_editor_dlg.h"

void CGalleryEditorDlg::OnShootingInfo() {}
void CGalleryEditorDlg::OnFirst() {}
void CGalleryEditorDlg::OnJumpBack() {}
void CGalleryEditorDlg::OnBack() {}
void CGalleryEditorDlg::OnNext() {}
void CGalleryEditorDlg::OnJumpForward() {}
void CGalleryEditorDlg::OnLast() {}
void CGalleryEditorDlg::OnRegister() {}
void CGalleryEditorDlg::OnSaveData() {}
void CGalleryEditorDlg::OnBgColor() {}
void CGalleryEditorDlg::OnTitleColor() {}
void CGalleryEditorDlg::OnItemColor() {}
void CGalleryEditorDlg::OnDataColor() {}
void CGalleryEditorDlg::OnResetColors() {}
void CGalleryEditorDlg::OnTopPhoto() {}

bool CGalleryEditorDlg::IsHandlerAvailable(int controlId) {
  // clang-format off
  static const int kPending[] = {
      ctl::kInfo,
      ctl::kFirst,
      ctl::kJumpBack,
      ctl::kBack,
      ctl::kNext,
      ctl::kJumpForward,
      ctl::kLast,
      ctl::kRegister,
      ctl::kSave,
      ctl::kBgColor,
      ctl::kTitleColor,
      ctl::kItemColor,
      ctl::kDataColor,
      ctl::kResetColors,
      ctl::kTopPhoto,
      0,
  };
  // clang-format on
  for (int id : kPending)
    if (id == controlId) return false;
  return true;
}
