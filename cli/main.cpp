// vornami-batch: the editor's dialog logic driven from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "app/gallery_layout.h"
#include "app/gallery_template_dir.h"
#include "cli/batch_actions.h"
#include "cli/console.h"
#include "platform/program_info.h"

namespace {
constexpr int kExitDone = 0;
constexpr int kExitEnded = 2;
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
  auto actions = ParseBatchActions(args);
  if (!actions) {
    std::cerr << BatchUsage();
    return kExitUsage;
  }
  // stdout carries the message lines alone; progress only to a person watching.
  BatchUi ui(std::cout, ErrorsGoToTerminal() ? &std::cerr : nullptr);
  CGalleryEditorDlg dlg(ui);
  dlg.OnInitDialog();
  if (ui.ended()) return kExitEnded;
  for (const auto& action : *actions) {
    if (!RunBatchAction(action, dlg, ui, std::cout)) return kExitEnded;
  }
  return kExitDone;
}
