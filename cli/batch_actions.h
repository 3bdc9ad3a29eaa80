#pragma once
// The actions of vornami-batch, parsed and checked before anything runs.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/gallery_editor_dlg.h"
#include "cli/batch_ui.h"

struct BatchAction {
  enum class Kind { kClick, kSetEdit, kColourClick, kShow };
  Kind kind = Kind::kClick;
  int controlId = 0;
  std::string text;                 // kSetEdit: UTF-8 with CR LF line breaks
  std::optional<RgbColour> colour;  // kColourClick: nothing means cancel
};

// Nothing when an argument is not an action this build offers.
std::optional<std::vector<BatchAction>> ParseBatchActions(const std::vector<std::string>& args);

// Runs one action; false once the dialog has ended.
bool RunBatchAction(const BatchAction& action, CGalleryEditorDlg& dlg, BatchUi& ui,
                    std::ostream& out);

std::string BatchUsage();

// `vornami-batch upgrade` in the current folder: the message on out ("info:
// TEXT"), or the failure on err. Returns the exit status (0, or 1 on failure).
int RunUpgrade(std::ostream& out, std::ostream& err);
