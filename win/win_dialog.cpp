#include "win/win_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/encoding.h"
#include "platform/wide_text.h"
#include "texts/app_texts.h"
#include "texts/kept_texts.h"
#include "texts/version_texts.h"
#include "win/progress_window.h"
#include "win/win_dib_painter.h"

namespace {

constexpr wchar_t kClassName[] = L"VornamiDialog";
constexpr UINT kAboutCommand = 16;  // the About entry of the system menu, as the logic knows it
constexpr DWORD kProgressDelayMs = 500;  // quick steps show no progress window at all

std::wstring W(const char* sjis) { return platform::Wide(platform::SjisToUtf8(sjis)); }

int CALLBACK FontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Windows' Japanese UI fonts, newest first; the last stands in when none is
// found by name (every Japanese Windows has it).
const wchar_t* JapaneseUiFont() {
  const wchar_t* faces[] = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"};
  HDC screen = GetDC(nullptr);
  const wchar_t* chosen = faces[2];
  for (const wchar_t* face : faces) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, FontFound, reinterpret_cast<LPARAM>(&found), 0);
    if (found) {
      chosen = face;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  return chosen;
}

HFONT MakeFont(UINT dpi) {
  return CreateFontW(-MulDiv(9, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH, JapaneseUiFont());
}

// Edits deliver line breaks as CR LF, which is what the port speaks too.
std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got));
  return platform::Narrow(text);
}

}  // namespace

RECT WinDialog::PixelRect(const DialogRect& rect, UINT dpi) {
  auto px = [dpi](int v) { return MulDiv(v * 7 / 4, static_cast<int>(dpi), 96); };
  auto py = [dpi](int v) { return MulDiv(v * 12 / 8, static_cast<int>(dpi), 96); };
  return RECT{px(rect.x), py(rect.y), px(rect.x + rect.width), py(rect.y + rect.height)};
}

WinDialog::WinDialog(HINSTANCE instance) : instance_(instance), logic_(*this) {}

WinDialog::~WinDialog() {
  progress_.reset();
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

bool WinDialog::Initialise() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  window_ =
      CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, W(txt::kResourceCaption).c_str(), style,
                      CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_, this);
  if (!window_) return false;
  ApplyDpi(GetDpiForWindow(window_));
  BuildControls();
  // About sits in the system menu, as on every Windows dialog of its kind.
  HMENU system = GetSystemMenu(window_, FALSE);
  AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(system, MF_STRING, kAboutCommand, W(txt::kAboutMenuEntry).c_str());

  const bool result = logic_.OnInitDialog();
  if (!ended_) SetWindowTextW(window_, W(txt::kCaption).c_str());
  return result && !ended_;
}

void WinDialog::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  if (font_) DeleteObject(font_);
  font_ = MakeFont(dpi);
  RECT client = PixelRect(DialogRect{0, 0, 343, 343}, dpi);
  AdjustWindowRectExForDpi(&client, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)), dpi);
  SetWindowPos(window_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const auto& [id, control] : controls_) {
    const DialogControl* item = FindDialogControl(id);
    if (item) {
      const RECT r = PixelRect(item->rect, dpi);
      MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
}

void WinDialog::BuildControls() {
  auto make = [this](const wchar_t* cls, const std::wstring& text, DWORD style, DWORD exStyle,
                     const RECT& r, int id) {
    HWND control =
        CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
  };
  // Buttons first, then the texts, edits and preview anchor: the tab order.
  for (const DialogControl& item : DialogControls()) {
    if (!item.IsButton()) continue;
    const DWORD kind =
        item.kind == DialogControl::Kind::kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    controls_[item.id] =
        make(L"BUTTON", W(item.label), WS_TABSTOP | kind, 0, PixelRect(item.rect, dpi_), item.id);
  }
  for (const DialogStatic& item : DialogStatics()) {
    HWND label = make(L"STATIC", W(item.text), SS_LEFT | SS_NOPREFIX, 0,
                      PixelRect(DialogRect{item.x, item.y, 0, 0}, dpi_), -1);
    // As wide as its text.
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, font_);
    const std::wstring text = W(item.text);
    SIZE size;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    const RECT r = PixelRect(DialogRect{item.x, item.y, 0, 0}, dpi_);
    MoveWindow(label, r.left, r.top, size.cx + 2, size.cy + 2, FALSE);
  }
  for (const DialogControl& item : DialogControls()) {
    if (item.kind != DialogControl::Kind::kEdit) continue;
    // The theme and the title hold one line: Enter there presses the default
    // button, "登録・更新". The memo takes line breaks and scrolls down.
    const DWORD style = item.id == ctl::kMemoEdit
                            ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL
                            : ES_AUTOHSCROLL;
    controls_[item.id] = make(L"EDIT", L"", WS_TABSTOP | style, WS_EX_CLIENTEDGE,
                              PixelRect(item.rect, dpi_), item.id);
  }
  const DialogControl* preview = FindDialogControl(ctl::kPreview);
  controls_[ctl::kPreview] =
      make(L"STATIC", L"", 0, 0, PixelRect(preview->rect, dpi_), ctl::kPreview);
  ShowWindow(controls_[ctl::kPreview], SW_HIDE);  // only an anchor: the dialog paints there
}

void WinDialog::Run() {
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  MSG message;
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void WinDialog::ShowMessage(const std::string& utf8, MessageStyle style) {
  MessageBoxW(window_, platform::Wide(utf8).c_str(), W(txt::kCaption).c_str(),
              MB_OK | (style == MessageStyle::kError ? MB_ICONWARNING : 0));
}

void WinDialog::ShowAboutBox() {
  MSGBOXPARAMSW box{};
  box.cbSize = sizeof box;
  box.hwndOwner = window_;
  box.hInstance = instance_;
  const std::wstring text = W(txt::kAboutText), caption = W(txt::kAboutCaption);
  box.lpszText = text.c_str();
  box.lpszCaption = caption.c_str();
  box.dwStyle = MB_OK | MB_USERICON;
  box.lpszIcon = MAKEINTRESOURCEW(1);
  MessageBoxIndirectW(&box);
}

void WinDialog::SetWaitCursor(bool on) {
  waitDepth_ += on ? 1 : -1;
  if (waitDepth_ < 0) waitDepth_ = 0;
  SetCursor(LoadCursorW(nullptr, waitDepth_ > 0 ? IDC_WAIT : IDC_ARROW));
  if (!on) progress_.reset();  // the step is over, however it ended
}

std::string WinDialog::GetEditText(int id) {
  auto it = controls_.find(id);
  return it == controls_.end() ? std::string() : WindowText(it->second);
}

void WinDialog::SetEditText(int id, const std::string& utf8) {
  auto it = controls_.find(id);
  if (it != controls_.end()) SetWindowTextW(it->second, platform::Wide(utf8).c_str());
}

void WinDialog::Invalidate() { InvalidateRect(window_, nullptr, TRUE); }

void WinDialog::EndDialog() {
  ended_ = true;
  progress_.reset();
  if (window_) ShowWindow(window_, SW_HIDE);
  PostQuitMessage(0);
}

std::optional<RgbColour> WinDialog::ChooseColour(RgbColour initial) {
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = window_;
  choose.rgbResult = RGB(initial.red, initial.green, initial.blue);
  choose.lpCustColors = customColours_;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&choose)) return std::nullopt;
  return RgbColour{GetRValue(choose.rgbResult), GetGValue(choose.rgbResult),
                   GetBValue(choose.rgbResult)};
}

bool WinDialog::Ask(const std::string& utf8) {
  // Windows' own はい / いいえ; いいえ is the default.
  return MessageBoxW(window_, platform::Wide(utf8).c_str(), W(txt::kCaption).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int WinDialog::AskWithButtons(const std::string& utf8,
                              std::initializer_list<std::pair<int, const char*>> buttons,
                              int defaultId) {
  std::vector<std::wstring> labels;
  for (const auto& button : buttons) labels.push_back(W(button.second));
  std::vector<TASKDIALOG_BUTTON> items;
  std::size_t i = 0;
  for (const auto& button : buttons) items.push_back({button.first, labels[i++].c_str()});
  const std::wstring text = platform::Wide(utf8), caption = W(txt::kCaption);
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = window_;
  config.hInstance = instance_;
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.pszWindowTitle = caption.c_str();
  config.pszContent = text.c_str();
  config.pButtons = items.data();
  config.cButtons = static_cast<UINT>(items.size());
  config.nDefaultButton = defaultId;
  int pressed = IDCANCEL;
  if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) return IDCANCEL;
  return pressed;
}

UiPort::SaveAnswer WinDialog::AskToSave(const std::string& utf8) {
  constexpr int kSaveId = 100, kDiscardId = 101;
  // Enter and Esc keep the dialog open: only a deliberate click ends it.
  switch (AskWithButtons(utf8,
                         {{kSaveId, txt::kAnswerSave},
                          {kDiscardId, txt::kAnswerDiscard},
                          {IDCANCEL, txt::kAnswerCancel}},
                         IDCANCEL)) {
    case kSaveId:
      return SaveAnswer::kSave;
    case kDiscardId:
      return SaveAnswer::kDiscard;
    default:
      return SaveAnswer::kCancel;
  }
}

bool WinDialog::WaitForPhotos(const std::string& utf8, const std::string& photoFolder) {
  constexpr int kOpenId = 100, kReloadId = 101;
  for (;;) {
    const int pressed = AskWithButtons(
        utf8, {{kOpenId, txt::kOpenPhotoFolder}, {kReloadId, txt::kReload}, {IDCANCEL, txt::kQuit}},
        kReloadId);
    if (pressed != kOpenId) return pressed == kReloadId;
    // Explorer opens beside the question, which waits for the user to come back.
    ShellExecuteW(window_, L"open", platform::WidePath(photoFolder).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
  }
}

void WinDialog::SetProgressStep(const std::string& utf8) { progressStep_ = utf8; }

bool WinDialog::Progress(int done, int total) {
  if (done >= total) {
    progress_.reset();
    return true;
  }
  if (done == 0) progressStarted_ = GetTickCount();
  if (!progress_) {
    if (GetTickCount() - progressStarted_ < kProgressDelayMs) return true;
    progress_ = std::make_unique<ProgressWindow>(instance_, window_, font_, dpi_);
  }
  return progress_->Update(progressStep_, done, total);
}

void WinDialog::Paint(HDC dc) {
  HGDIOBJ old = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  // The logic places its texts in pixels at 96 dpi.
  auto scale = [this](int v) { return MulDiv(v, static_cast<int>(dpi_), 96); };
  for (const auto& text : logic_.PaintTexts()) {
    SetTextColor(dc, RGB(text.colour.red, text.colour.green, text.colour.blue));
    const std::wstring wide = platform::Wide(text.utf8);
    TextOutW(dc, scale(text.x), scale(text.y), wide.c_str(), static_cast<int>(wide.size()));
  }
  SelectObject(dc, old);
  // The thumbnail, unscaled, with its top-left corner at the preview control's.
  const RECT anchor = PixelRect(FindDialogControl(ctl::kPreview)->rect, dpi_);
  WinDibPainter previewControl(dc, POINT{anchor.left, anchor.top});
  logic_.PaintPreview(previewControl);
}

LRESULT CALLBACK WinDialog::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    reinterpret_cast<WinDialog*>(create->lpCreateParams)->window_ = window;
  }
  auto* self = reinterpret_cast<WinDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT WinDialog::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(w) == BN_CLICKED) {
        const int id = LOWORD(w);
        // Esc arrives as IDCANCEL: closing, as 閉じる and the close box.
        if (id == IDCANCEL) {
          if (!ended_) logic_.OnCancel();
          return 0;
        }
        logic_.Click(id);
        return 0;
      }
      break;
    case DM_GETDEFID:
      for (const DialogControl& item : DialogControls()) {
        if (item.kind == DialogControl::Kind::kDefaultButton)
          return MAKELRESULT(item.id, DC_HASDEFID);
      }
      return 0;
    case WM_SYSCOMMAND:
      if ((w & 0xFFF0) == kAboutCommand) {
        logic_.OnSysCommand(kAboutCommand);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (waitDepth_ > 0) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      Paint(dc);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(w));
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Invalidate();
      return 0;
    }
    case WM_CLOSE:
      // Unsaved texts are offered for saving first; キャンセル keeps the dialog.
      if (!ended_) logic_.OnCancel();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}
