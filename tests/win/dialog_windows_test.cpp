// The Windows dialog started in a gallery (under wine and Xvfb in CI): every
// control of the table is there, placed where the table says at the window's
// DPI, texts cross the edits as UTF-8 with CR LF line breaks, closing asks
// about unsaved texts, and a gallery without photos waits for them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "platform/encoding.h"
#include "platform/wide_text.h"
#include "tests/support/editor_gallery.h"
#include "win/win_dialog.h"

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(WinDialog, StartsInAGalleryWithEveryControlOfTheTable) {
  TempGallery gallery;
  AddPhotos(3);
  WinDialog dialog(GetModuleHandleW(nullptr));
  ASSERT_TRUE(dialog.Initialise());
  const UINT dpi = GetDpiForWindow(dialog.window());
  for (const DialogControl& item : DialogControls()) {
    HWND control = GetDlgItem(dialog.window(), item.id);
    ASSERT_NE(control, nullptr) << item.id;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog.window(), reinterpret_cast<POINT*>(&r), 2);
    const RECT want = WinDialog::PixelRect(item.rect, dpi);
    EXPECT_EQ(r.left, want.left) << item.id;
    EXPECT_EQ(r.bottom, want.bottom) << item.id;
    if (item.IsButton()) {
      EXPECT_EQ(ClassOf(control), L"Button") << item.id;
      EXPECT_EQ(platform::Narrow(TextOf(control)), platform::SjisToUtf8(item.label)) << item.id;
    } else if (item.kind == DialogControl::Kind::kEdit) {
      EXPECT_EQ(ClassOf(control), L"Edit") << item.id;
    }
  }
  // The caption says the dialog started (not the resource's caption).
  EXPECT_EQ(platform::Narrow(TextOf(dialog.window())), "Vornami編集");

  dialog.SetEditText(ctl::kMemoEdit, "一行目\r\n二行目 \"朝\"");
  EXPECT_EQ(dialog.GetEditText(ctl::kMemoEdit), "一行目\r\n二行目 \"朝\"");
  dialog.EndDialog();
}

// The dialog with its questions answered by the test instead of a person.
class AnsweredDialog : public WinDialog {
 public:
  using WinDialog::WinDialog;
  SaveAnswer AskToSave(const std::string& utf8) override {
    asked.push_back(utf8);
    return answer;
  }
  bool WaitForPhotos(const std::string&, const std::string&) override {
    ++waits;
    AddPhotos(2);  // copied meanwhile; then 再読み込み
    return true;
  }
  SaveAnswer answer = SaveAnswer::kCancel;
  std::vector<std::string> asked;
  int waits = 0;
};

TEST(WinDialog, EveryWayOfClosingAsksAboutUnsavedTextsAndCancelKeepsTheDialog) {
  TempGallery gallery;
  AddPhotos(2);
  AnsweredDialog dialog(GetModuleHandleW(nullptr));
  ASSERT_TRUE(dialog.Initialise());
  const HWND window = dialog.window();
  dialog.SetEditText(ctl::kTitleEdit, "朝の港");
  const struct {
    UINT message;
    WPARAM w;
  } closings[] = {
      {WM_CLOSE, 0},                                      // the close box
      {WM_COMMAND, IDCANCEL},                             // Esc
      {WM_COMMAND, MAKEWPARAM(ctl::kClose, BN_CLICKED)},  // 閉じる
  };
  for (const auto& closing : closings) SendMessageW(window, closing.message, closing.w, 0);
  EXPECT_EQ(dialog.asked, std::vector<std::string>(3, "変更を保存しますか？"));
  EXPECT_FALSE(dialog.logic().ended());
  dialog.answer = UiPort::SaveAnswer::kDiscard;
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(dialog.logic().ended());
}

TEST(WinDialog, AGalleryWithoutPhotosWaitsForThem) {
  TempGallery gallery;
  AnsweredDialog dialog(GetModuleHandleW(nullptr));
  ASSERT_TRUE(dialog.Initialise());
  EXPECT_EQ(dialog.waits, 1);
  EXPECT_FALSE(dialog.logic().ended());
  dialog.EndDialog();
}

TEST(WinDialog, DialogUnitsScaleWithTheDpi) {
  const DialogRect rect{100, 40, 60, 20};
  const RECT at96 = WinDialog::PixelRect(rect, 96);
  const RECT at144 = WinDialog::PixelRect(rect, 144);
  const RECT at192 = WinDialog::PixelRect(rect, 192);
  EXPECT_EQ(at96.left, 175);
  EXPECT_EQ(at96.top, 60);
  EXPECT_EQ(at144.right - at144.left, (at96.right - at96.left) * 3 / 2);
  EXPECT_EQ(at192.bottom - at192.top, (at96.bottom - at96.top) * 2);
}

}  // namespace
