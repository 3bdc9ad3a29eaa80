#include "cli/batch_ui.h"

#include "platform/encoding.h"
#include "texts/version_texts.h"

void BatchUi::ShowMessage(const std::string& utf8, MessageStyle style) {
  if (progress_ && shown_ >= 0) {
    *progress_ << "\n" << std::flush;  // the message starts on a line of its own
    shown_ = -1;
  }
  if (style == MessageStyle::kError) ++errors_;
  // A message may quote what was typed: bytes that are no UTF-8 show as U+FFFD.
  out_ << (style == MessageStyle::kError ? "error: " : "info: ") << platform::ValidUtf8(utf8)
       << "\n";
}

void BatchUi::ShowAboutBox() { out_ << "info: " << txt::kAboutText << "\n"; }

std::string BatchUi::GetEditText(int id) { return edits_[id]; }

void BatchUi::SetEditText(int id, const std::string& utf8) { edits_[id] = utf8; }

std::optional<RgbColour> BatchUi::ChooseColour(RgbColour initial) {
  lastSeed_ = initial;
  return colourAnswer_;
}

// One line, rewritten in place: "photos 12/200".
bool BatchUi::Progress(int done, int total) {
  if (!progress_ || done == shown_) return true;
  shown_ = done;
  *progress_ << "\rphotos " << done << "/" << total << std::flush;
  if (done >= total) {
    *progress_ << "\n" << std::flush;
    shown_ = -1;
  }
  return true;
}
