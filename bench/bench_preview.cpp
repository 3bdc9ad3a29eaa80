// Times the editor's navigation step: "next" reads the next photo's thumbnail,
// decodes it and builds the preview bitmap. Runs in a prepared gallery (photos
// renamed, thumbnails made) and prints the median and spread over many steps.
//
//   vornami_bench_preview [--steps N] GALLERY_DIR
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "app/ui_port.h"

namespace {

// A window system that shows nothing; a message means the gallery is not ready.
class QuietUi : public UiPort {
 public:
  void ShowMessage(const std::string& utf8, MessageStyle) override {
    std::cerr << "message: " << utf8 << "\n";
    messages_++;
  }
  void ShowAboutBox() override {}
  void SetWaitCursor(bool) override {}
  std::string GetEditText(int) override { return {}; }
  void SetEditText(int, const std::string&) override {}
  void Invalidate() override {}
  void EndDialog() override {}
  std::optional<RgbColour> ChooseColour(RgbColour) override { return std::nullopt; }
  SaveAnswer AskToSave(const std::string&) override { return SaveAnswer::kDiscard; }
  int messages() const { return messages_; }

 private:
  int messages_ = 0;
};

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const std::size_t at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[at];
}

}  // namespace

int main(int argc, char** argv) {
  int steps = 2000;
  std::string dir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--steps" && i + 1 < argc) {
      steps = std::atoi(argv[++i]);
    } else if (!arg.empty() && arg[0] != '-' && dir.empty()) {
      dir = arg;
    } else {
      dir.clear();
      break;
    }
  }
  if (dir.empty() || steps < 1) {
    std::cerr << "usage: vornami_bench_preview [--steps N] GALLERY_DIR\n";
    return 64;
  }
  if (chdir(dir.c_str()) != 0) {
    std::perror(dir.c_str());
    return 1;
  }
  QuietUi ui;
  CGalleryEditorDlg dlg(ui);
  dlg.OnInitDialog();
  if (ui.messages() > 0 || dlg.state().photoCount < 2) {
    std::cerr << dir << ": not a gallery with renamed photos and thumbnails\n";
    return 1;
  }

  using Clock = std::chrono::steady_clock;
  std::vector<double> ms;
  ms.reserve(static_cast<std::size_t>(steps));
  for (int i = 0; i < steps; ++i) {
    // Forward through the photos, back to the first after the last.
    const int button =
        dlg.state().currentPhoto >= dlg.state().photoCount ? ctl::kFirst : ctl::kNext;
    const auto start = Clock::now();
    dlg.Click(button);
    const auto end = Clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  if (ui.messages() > 0) return 1;
  std::printf("steps %d  median %.3f ms  p10 %.3f ms  p90 %.3f ms  max %.3f ms\n", steps,
              Percentile(ms, 0.5), Percentile(ms, 0.1), Percentile(ms, 0.9),
              *std::max_element(ms.begin(), ms.end()));
  return 0;
}
