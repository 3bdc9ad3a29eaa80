#pragma once
// The main dialog as a native Win32 window: a thin adapter over
// CGalleryEditorDlg, laid out from the control table like the Qt dialog.
#include <windows.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "app/ui_port.h"

class ProgressWindow;

class WinDialog : public UiPort {
 public:
  explicit WinDialog(HINSTANCE instance);
  ~WinDialog() override;
  WinDialog(const WinDialog&) = delete;
  WinDialog& operator=(const WinDialog&) = delete;

  // Makes the window and runs the dialog's initialisation; false when it
  // ended the dialog.
  bool Initialise();
  // Shows the window and runs its messages until it closes.
  void Run();
  HWND window() const { return window_; }
  CGalleryEditorDlg& logic() { return logic_; }

  // UiPort
  void ShowMessage(const std::string& utf8, MessageStyle style) override;
  void ShowAboutBox() override;
  void SetWaitCursor(bool on) override;
  std::string GetEditText(int id) override;
  void SetEditText(int id, const std::string& utf8) override;
  void Invalidate() override;
  void EndDialog() override;
  std::optional<RgbColour> ChooseColour(RgbColour initial) override;
  bool Ask(const std::string& utf8) override;
  bool Progress(int done, int total) override;
  void SetProgressStep(const std::string& utf8) override;
  SaveAnswer AskToSave(const std::string& utf8) override;
  bool WaitForPhotos(const std::string& utf8, const std::string& photoFolder) override;

  // Dialog units to pixels at a DPI: the base units of a 9-point Japanese
  // font (7/4 and 12/8 pixels at 96 dpi), as the Qt dialog lays out.
  static RECT PixelRect(const DialogRect& rect, UINT dpi);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void BuildControls();
  void Paint(HDC dc);
  void ApplyDpi(UINT dpi);
  // A question with buttons of its own (id and Shift-JIS label); Esc and the
  // close box answer IDCANCEL. Returns the id of the button pressed.
  int AskWithButtons(const std::string& utf8,
                     std::initializer_list<std::pair<int, const char*>> buttons, int defaultId);

  HINSTANCE instance_;
  CGalleryEditorDlg logic_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  UINT dpi_ = 96;
  std::map<int, HWND> controls_;
  std::unique_ptr<ProgressWindow> progress_;
  int waitDepth_ = 0;
  DWORD progressStarted_ = 0;
  std::string progressStep_;
  bool ended_ = false;
  COLORREF customColours_[16] = {};
};
