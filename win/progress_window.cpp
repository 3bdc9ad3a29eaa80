#include "win/progress_window.h"

#include <commctrl.h>

#include <string>

#include "platform/encoding.h"
#include "platform/wide_text.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"
#include "texts/kept_texts.h"

namespace {

constexpr wchar_t kClassName[] = L"VornamiProgress";
constexpr int kStopId = 2;  // IDCANCEL: Esc stops too

std::wstring W(const char* sjis) { return platform::Wide(platform::SjisToUtf8(sjis)); }

int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

// "写真 %1 / %2 枚" with the numbers in.
std::wstring PhotosText(int done, int total) {
  std::string text = platform::SjisToUtf8(txt::kProgressPhotos);
  for (auto [mark, value] : {std::pair{"%1", done}, std::pair{"%2", total}}) {
    const std::size_t at = text.find(mark);
    if (at != std::string::npos) text.replace(at, 2, std::to_string(value));
  }
  return platform::Wide(text);
}

}  // namespace

ProgressWindow::ProgressWindow(HINSTANCE instance, HWND owner, HFONT font, UINT dpi)
    : owner_(owner) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);  // fails harmlessly when registered before

  RECT frame = {0, 0, Scale(320, dpi), Scale(126, dpi)};
  AdjustWindowRectExForDpi(&frame, WS_POPUP | WS_CAPTION, FALSE, WS_EX_DLGMODALFRAME, dpi);
  RECT ownerRect;
  GetWindowRect(owner, &ownerRect);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, W(txt::kCaption).c_str(),
                            WS_POPUP | WS_CAPTION, (ownerRect.left + ownerRect.right - width) / 2,
                            (ownerRect.top + ownerRect.bottom - height) / 2, width, height, owner,
                            nullptr, instance, this);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Two lines: the step's name and the photo count.
  label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, Scale(12, dpi),
                           Scale(10, dpi), Scale(296, dpi), Scale(36, dpi), window_, nullptr,
                           instance, nullptr);
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, Scale(12, dpi),
                         Scale(52, dpi), Scale(296, dpi), Scale(20, dpi), window_, nullptr,
                         instance, nullptr);
  HWND stop = CreateWindowExW(0, L"BUTTON", W(txt::kStopStep).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                              Scale(228, dpi), Scale(84, dpi), Scale(80, dpi), Scale(28, dpi),
                              window_, reinterpret_cast<HMENU>(kStopId), instance, nullptr);
  for (HWND control : {label_, stop})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  // Modal while it shows: the dialog takes no clicks meanwhile.
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOWNORMAL);
}

ProgressWindow::~ProgressWindow() {
  EnableWindow(owner_, TRUE);
  DestroyWindow(window_);
  SetActiveWindow(owner_);
}

bool ProgressWindow::Update(const std::string& stepUtf8, int done, int total) {
  SendMessageW(bar_, PBM_SETRANGE32, 0, total);
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(done), 0);
  std::wstring text = PhotosText(done, total);
  if (!stepUtf8.empty()) text = platform::Wide(stepUtf8) + L"\n" + text;
  SetWindowTextW(label_, text.c_str());
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      stopped_ = true;
      break;
    }
    if (!IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return !stopped_;
}

LRESULT CALLBACK ProgressWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && ((message == WM_COMMAND && LOWORD(w) == kStopId) || message == WM_CLOSE)) {
    self->stopped_ = true;
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}
