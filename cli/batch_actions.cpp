#include "cli/batch_actions.h"

#include <cctype>
#include <cstdlib>

#include "app/dialog_controls.h"
#include "app/gallery_backup.h"
#include "app/gallery_template_dir.h"
#include "app/gallery_upgrade.h"
#include "platform/encoding.h"
#include "texts/app_texts.h"

namespace {

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// "#rrggbb" (either case) or "cancel".
bool ParseColour(const std::string& text, std::optional<RgbColour>& colour) {
  if (text == "cancel") {
    colour.reset();
    return true;
  }
  if (text.size() != 7 || text[0] != '#') return false;
  for (std::size_t i = 1; i < 7; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  auto byte = [&](std::size_t at) {
    return static_cast<std::uint8_t>(std::strtoul(text.substr(at, 2).c_str(), nullptr, 16));
  };
  colour = RgbColour{byte(1), byte(3), byte(5)};
  return true;
}

// A newline typed on the command line is a line break as the edit control gives it: CR LF.
std::string EditText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// Line breaks shown as the two characters \n; bytes that are no UTF-8 as U+FFFD.
std::string OneLine(const std::string& utf8) {
  const std::string text = platform::ValidUtf8(utf8);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n') {
      out += "\\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

// An argument is a button's verb, an edit's or colour button's "verb=" with
// its value, or "show".
std::optional<BatchAction> ParseOne(const std::string& arg) {
  using Kind = DialogControl::Kind;
  for (const DialogControl& control : DialogControls()) {
    if (!control.verb) continue;
    if (control.kind == Kind::kEdit || control.kind == Kind::kColourButton) {
      if (!StartsWith(arg, control.verb)) continue;
      const std::string value = arg.substr(std::char_traits<char>::length(control.verb));
      if (control.kind == Kind::kEdit)
        return BatchAction{BatchAction::Kind::kSetEdit, control.id, EditText(value), {}};
      BatchAction action{BatchAction::Kind::kColourClick, control.id, {}, {}};
      if (!ParseColour(value, action.colour)) return std::nullopt;
      return action;
    }
    if (arg == control.verb) return BatchAction{BatchAction::Kind::kClick, control.id, {}, {}};
  }
  if (arg == "show") return BatchAction{BatchAction::Kind::kShow, 0, {}, {}};
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<BatchAction>> ParseBatchActions(const std::vector<std::string>& args) {
  std::vector<BatchAction> actions;
  for (const auto& arg : args) {
    auto action = ParseOne(arg);
    if (!action) return std::nullopt;
    actions.push_back(*action);
  }
  return actions;
}

bool RunBatchAction(const BatchAction& action, CGalleryEditorDlg& dlg, BatchUi& ui,
                    std::ostream& out) {
  switch (action.kind) {
    case BatchAction::Kind::kClick:
      dlg.Click(action.controlId);
      break;
    case BatchAction::Kind::kSetEdit:
      ui.SetEditText(action.controlId, action.text);
      break;
    case BatchAction::Kind::kColourClick:
      ui.SetColourAnswer(action.colour);
      dlg.Click(action.controlId);
      break;
    case BatchAction::Kind::kShow:
      // Painting leaves the counters out while the abort flag is set.
      if (!dlg.state().abortFlag) {
        out << "number: " << platform::SjisToUtf8(dlg.state().numberLabel) << "\n";
        out << "count: " << platform::SjisToUtf8(dlg.state().countLabel) << "\n";
        out << "name: " << platform::SjisToUtf8(dlg.state().currentPhotoName) << "\n";
      }
      out << "theme: " << OneLine(ui.GetEditText(ctl::kThemeEdit)) << "\n";
      out << "title: " << OneLine(ui.GetEditText(ctl::kTitleEdit)) << "\n";
      out << "memo: " << OneLine(ui.GetEditText(ctl::kMemoEdit)) << "\n";
      break;
  }
  return !ui.ended();
}

int RunUpgrade(std::ostream& out, std::ostream& err) {
  auto done = UpgradeFixedPages(GalleryTemplateDir(), BackupStamp());
  if (!done) {
    err << "vornami-batch upgrade: " << done.error() << "\n";
    return 1;
  }
  out << "info: "
      << platform::SjisToUtf8(done->replaced.empty() ? std::string(txt::kUpgradeNothing)
                                                     : txt::kUpgradeDonePrefix + done->backupDir)
      << "\n";
  for (const std::string& path : done->replaced) out << "replaced: " << path << "\n";
  return 0;
}

std::string BatchUsage() {
  return "usage: vornami-batch init\n"
         "       vornami-batch upgrade\n"
         "       vornami-batch ACTION...\n"
         "init lays out the gallery folder as delivered in the current folder (never\n"
         "overwriting a file). upgrade replaces the gallery's fixed pages and scripts\n"
         "of an earlier version by this version's, each first copied into\n"
         "vornami-backup/DATE-TIME/. Otherwise the editor starts in the current folder and\n"
         "performs each ACTION in order, as its button would:\n"
         "  rename thumbnails info data pages                     (1) to (5)\n"
         "  first jump-back back next jump-forward last           navigation\n"
         "  theme=TEXT title=TEXT memo=TEXT register save         editing\n"
         "  bg-color=C title-color=C item-color=C data-color=C    C is #rrggbb or cancel\n"
         "  reset-colors top-photo show\n"
         "Messages print as 'error: TEXT' or 'info: TEXT'.\n"
         "Exit status: 0 done, 2 the dialog ended, 3 registered texts left unsaved,\n"
         "4 the gallery is open elsewhere, 64 usage error.\n";
}
