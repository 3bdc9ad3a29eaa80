#include "app/dialog_controls.h"

#include <algorithm>

#include "app/gallery_editor_dlg.h"
#include "texts/app_texts.h"

namespace {

using Kind = DialogControl::Kind;
using Dlg = CGalleryEditorDlg;

constexpr DialogControl kControls[] = {
    {ctl::kClose, Kind::kDefaultButton, txt::kLabelClose, {17, 205, 27, 14}, &Dlg::OnOK, nullptr},
    {ctl::kRename,
     Kind::kButton,
     txt::kLabelRename,
     {19, 46, 66, 14},
     &Dlg::OnRenameByDate,
     "rename"},
    {ctl::kThumbnails,
     Kind::kButton,
     txt::kLabelThumbnails,
     {18, 70, 66, 14},
     &Dlg::OnMakeThumbnails,
     "thumbnails"},
    {ctl::kInfo, Kind::kButton, txt::kLabelInfo, {19, 92, 46, 14}, &Dlg::OnShootingInfo, "info"},
    {ctl::kData, Kind::kButton, txt::kLabelData, {19, 114, 54, 14}, &Dlg::OnHtmlData, "data"},
    {ctl::kPages, Kind::kButton, txt::kLabelPages, {19, 136, 61, 14}, &Dlg::OnHtmlFiles, "pages"},
    {ctl::kPreview, Kind::kPreview, nullptr, {92, 46, 13, 14}, nullptr, nullptr},
    {ctl::kTopPhoto,
     Kind::kButton,
     txt::kLabelTopPhoto,
     {80, 184, 119, 14},
     &Dlg::OnTopPhoto,
     "top-photo"},
    {ctl::kFirst, Kind::kButton, txt::kLabelFirst, {49, 205, 26, 14}, &Dlg::OnFirst, "first"},
    {ctl::kJumpBack,
     Kind::kButton,
     txt::kLabelJumpBack,
     {76, 205, 38, 14},
     &Dlg::OnJumpBack,
     "jump-back"},
    {ctl::kBack, Kind::kButton, txt::kLabelBack, {114, 205, 32, 14}, &Dlg::OnBack, "back"},
    {ctl::kNext, Kind::kButton, txt::kLabelNext, {147, 205, 32, 14}, &Dlg::OnNext, "next"},
    {ctl::kJumpForward,
     Kind::kButton,
     txt::kLabelJumpForward,
     {179, 205, 38, 14},
     &Dlg::OnJumpForward,
     "jump-forward"},
    {ctl::kLast, Kind::kButton, txt::kLabelLast, {217, 205, 26, 14}, &Dlg::OnLast, "last"},
    {ctl::kRegister,
     Kind::kButton,
     txt::kLabelRegister,
     {248, 205, 37, 14},
     &Dlg::OnRegister,
     "register"},
    {ctl::kSave, Kind::kButton, txt::kLabelSave, {286, 205, 38, 14}, &Dlg::OnSaveData, "save"},
    {ctl::kThemeEdit, Kind::kEdit, nullptr, {198, 44, 129, 14}, nullptr, "theme="},
    {ctl::kTitleEdit, Kind::kEdit, nullptr, {199, 72, 129, 14}, nullptr, "title="},
    {ctl::kMemoEdit, Kind::kEdit, nullptr, {199, 100, 128, 78}, nullptr, "memo="},
    {ctl::kBgColor,
     Kind::kColourButton,
     txt::kLabelBgColor,
     {18, 242, 52, 13},
     &Dlg::OnBgColor,
     "bg-color="},
    {ctl::kTitleColor,
     Kind::kColourButton,
     txt::kLabelTitleColor,
     {18, 259, 163, 13},
     &Dlg::OnTitleColor,
     "title-color="},
    {ctl::kItemColor,
     Kind::kColourButton,
     txt::kLabelItemColor,
     {18, 277, 168, 13},
     &Dlg::OnItemColor,
     "item-color="},
    {ctl::kDataColor,
     Kind::kColourButton,
     txt::kLabelDataColor,
     {18, 295, 80, 14},
     &Dlg::OnDataColor,
     "data-color="},
    {ctl::kResetColors,
     Kind::kButton,
     txt::kLabelResetColors,
     {18, 313, 72, 16},
     &Dlg::OnResetColors,
     "reset-colors"},
};

constexpr DialogStatic kStatics[] = {
    {txt::kCircled1, 7, 49},       {txt::kCircled2, 7, 73},       {txt::kCircled3, 7, 95},
    {txt::kCircled4, 7, 117},      {txt::kCircled5, 7, 140},      {txt::kCircled6, 201, 16},
    {txt::kStaticEditor, 214, 16}, {txt::kStaticTheme, 198, 33},  {txt::kStaticTitle, 199, 61},
    {txt::kStaticMemo, 199, 89},   {txt::kStaticColors, 18, 227}, {txt::kCircled7, 7, 243},
    {txt::kCircled8, 7, 260},      {txt::kCircled9, 7, 279},      {txt::kCircled10, 7, 297},
    {txt::kCircled11, 7, 317},
};

}  // namespace

std::span<const DialogControl> DialogControls() { return kControls; }

const DialogControl* FindDialogControl(int id) {
  auto it = std::find_if(std::begin(kControls), std::end(kControls),
                         [id](const DialogControl& c) { return c.id == id; });
  return it == std::end(kControls) ? nullptr : &*it;
}

std::span<const DialogStatic> DialogStatics() { return kStatics; }
