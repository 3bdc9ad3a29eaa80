#pragma once
// A small window that shows how far a batch step is and lets the user stop it.
#include <windows.h>

#include <string>

class ProgressWindow {
 public:
  ProgressWindow(HINSTANCE instance, HWND owner, HFONT font, UINT dpi);
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // Shows the step's name (UTF-8; may be empty) and done of total, and
  // handles the messages waiting meanwhile; false once the user has asked to
  // stop.
  bool Update(const std::string& stepUtf8, int done, int total);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);

  HWND owner_;
  HWND window_ = nullptr;
  HWND label_ = nullptr;
  HWND bar_ = nullptr;
  bool stopped_ = false;
};
