// vornami-batch: the editor's dialog logic driven from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "app/gallery_layout.h"
#include "app/gallery_template_dir.h"
#include "cli/batch_actions.h"
#include "cli/console.h"
#include "platform/encoding.h"
#include "platform/gallery_lock.h"
#include "platform/program_info.h"
#include "texts/app_texts.h"
#include "texts/kept_texts.h"

namespace {
constexpr int kExitDone = 0;
constexpr int kExitEnded = 2;
constexpr int kExitUnsaved = 3;
constexpr int kExitOpenElsewhere = 4;
constexpr int kExitActionFailed = 5;
constexpr int kExitUsage = 64;
}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = ConsoleArguments(argc, argv);
  if (auto request = platform::FindInfoRequest(args); request != platform::InfoRequest::kNone) {
    platform::AnswerInfoRequest(
        request, "vornami-batch",
        BatchUsage() + "--help prints this text, --version the program's version.\n", std::cout);
    return kExitDone;
  }
  if (args.size() == 1 && args[0] == "init") {
    auto laidOut = LayOutGallery(GalleryTemplateDir(), ".");
    if (!laidOut) {
      std::cerr << "vornami-batch init: " << laidOut.error() << "\n";
      return 1;
    }
    return kExitDone;
  }
  const bool upgrade = args.size() == 1 && args[0] == "upgrade";
  auto actions = upgrade ? std::optional<std::vector<BatchAction>>() : ParseBatchActions(args);
  if (!upgrade && !actions) {
    std::cerr << BatchUsage();
    return kExitUsage;
  }
  // stdout carries the message lines alone; progress only to a person watching.
  BatchUi ui(std::cout, ErrorsGoToTerminal() ? &std::cerr : nullptr);
  // One editor per gallery, for the whole run; an upgrade writes the gallery too.
  platform::GalleryLock lock;
  if (lock.Take(".") == platform::GalleryLock::State::kHeldElsewhere) {
    ui.ShowMessage(platform::SjisToUtf8(txt::kGalleryOpenElsewhere), UiPort::MessageStyle::kError);
    return kExitOpenElsewhere;
  }
  if (upgrade) return RunUpgrade(std::cout, std::cerr);
  CGalleryEditorDlg dlg(ui);
  dlg.OnInitDialog();
  if (ui.ended()) return kExitEnded;
  // A start-up error (photos not renamed yet) is what the actions may mend.
  const int startErrors = ui.errors();
  for (const auto& action : *actions) {
    if (!RunBatchAction(action, dlg, ui, std::cout)) return kExitEnded;
  }
  // An error that left the dialog open (a colour file not written) is no success.
  if (ui.errors() > startErrors) return kExitActionFailed;
  // Registered texts live in memory only: a script that forgot "save" hears of it.
  if (dlg.state().unsaved.any) {
    std::cerr << "vornami-batch: " << platform::SjisToUtf8(txt::kBatchUnsaved) << "\n";
    return kExitUnsaved;
  }
  return kExitDone;
}
