#pragma once
// The UI port of vornami-batch: message boxes become lines on stdout, edits
// live in memory, and the colour picker answers what the command line said.
#include <map>
#include <optional>
#include <ostream>

#include "app/ui_port.h"

class BatchUi : public UiPort {
 public:
  // Progress goes to the terminal, when stderr is one.
  BatchUi(std::ostream& out, std::ostream* progress = nullptr) : out_(out), progress_(progress) {}

  void ShowMessage(const std::string& utf8, MessageStyle style) override;
  void ShowAboutBox() override;
  void SetWaitCursor(bool) override {}
  std::string GetEditText(int id) override;
  void SetEditText(int id, const std::string& utf8) override;
  void Invalidate() override {}
  void EndDialog() override { ended_ = true; }
  std::optional<RgbColour> ChooseColour(RgbColour initial) override;
  // Nobody to ask: nothing is saved that the actions did not save; the
  // program reports unsaved texts when it ends.
  SaveAnswer AskToSave(const std::string&) override { return SaveAnswer::kDiscard; }
  bool Progress(int done, int total) override;

  // The answer the next colour dialog gives: a colour, or nothing for cancel.
  void SetColourAnswer(std::optional<RgbColour> answer) { colourAnswer_ = answer; }
  std::optional<RgbColour> lastColourSeed() const { return lastSeed_; }
  bool ended() const { return ended_; }
  int errors() const { return errors_; }  // error messages shown so far

 private:
  std::ostream& out_;
  std::ostream* progress_;
  int shown_ = -1;  // the count on the progress line, -1 when there is none
  std::map<int, std::string> edits_;
  std::optional<RgbColour> colourAnswer_;
  std::optional<RgbColour> lastSeed_;
  bool ended_ = false;
  int errors_ = 0;
};
