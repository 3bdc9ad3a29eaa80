#pragma once
// The wait cursor for as long as a step works, hidden again however the step ends.
#include "app/ui_port.h"

class WaitCursor {
 public:
  explicit WaitCursor(UiPort& ui) : ui_(ui) { ui_.SetWaitCursor(true); }
  ~WaitCursor() { ui_.SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UiPort& ui_;
};
