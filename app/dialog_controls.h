#pragma once
// The main dialog's controls, each described once: its id, kind, label,
// position, handler and the vornami-batch verb that clicks or fills it. The
// logic's Click, the Qt layout and vornami-batch's actions all read this table.
#include <span>

class CGalleryEditorDlg;

// Control ids of the main dialog.
namespace ctl {
inline constexpr int kClose = 1;
inline constexpr int kRename = 1000;
inline constexpr int kThumbnails = 1001;
inline constexpr int kInfo = 1002;
inline constexpr int kData = 1003;
inline constexpr int kFirst = 1004;
inline constexpr int kBack = 1005;
inline constexpr int kNext = 1006;
inline constexpr int kLast = 1007;
inline constexpr int kRegister = 1008;
inline constexpr int kSave = 1009;
inline constexpr int kThemeEdit = 1011;
inline constexpr int kTitleEdit = 1012;
inline constexpr int kMemoEdit = 1013;
inline constexpr int kPreview = 1014;
inline constexpr int kPages = 1017;
inline constexpr int kJumpBack = 1018;
inline constexpr int kJumpForward = 1019;
inline constexpr int kTopPhoto = 1020;
inline constexpr int kBgColor = 1021;
inline constexpr int kTitleColor = 1022;
inline constexpr int kItemColor = 1023;
inline constexpr int kDataColor = 1024;
inline constexpr int kResetColors = 1025;
}  // namespace ctl

// A rectangle in dialog units.
struct DialogRect {
  int x, y, width, height;
};

struct DialogControl {
  enum class Kind {
    kButton,
    kDefaultButton,  // Enter in a one-line edit clicks it; never one that closes the dialog
    kColourButton,   // opens the colour picker; its verb takes the picker's answer
    kEdit,           // its verb takes the text
    kPreview,        // the anchor the thumbnail is painted at
  };
  int id;
  Kind kind;
  const char* label;  // Shift-JIS; nullptr for edits and the preview
  DialogRect rect;
  void (CGalleryEditorDlg::*handler)();  // nullptr for edits and the preview
  // A button's vornami-batch word, or "word=" for an edit or a colour button
  // (the value follows the "="); nullptr when vornami-batch offers none.
  const char* verb;

  bool IsButton() const { return handler != nullptr; }
};

// A static text without id: its Shift-JIS text and top-left corner in dialog units.
struct DialogStatic {
  const char* text;
  int x, y;
};

// The controls in the order of the dialog's resource.
std::span<const DialogControl> DialogControls();
// The control with that id, or nullptr.
const DialogControl* FindDialogControl(int id);
std::span<const DialogStatic> DialogStatics();
