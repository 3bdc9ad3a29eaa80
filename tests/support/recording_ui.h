#pragma once
// A UI port that records what the dialog logic shows, for tests.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/ui_port.h"

class RecordingUi : public UiPort {
 public:
  struct Message {
    std::string utf8;
    MessageStyle style;
  };

  void ShowMessage(const std::string& utf8, MessageStyle style) override {
    messages.push_back({utf8, style});
  }
  void ShowAboutBox() override { ++aboutBoxes; }
  void SetWaitCursor(bool on) override { waitCursorLog.push_back(on); }
  std::string GetEditText(int id) override { return edits[id]; }
  void SetEditText(int id, const std::string& utf8) override { edits[id] = utf8; }
  void Invalidate() override { ++invalidations; }
  void EndDialog() override { ended = true; }
  bool Progress(int done, int total) override {
    progress.push_back({done, total});
    return stopAfter < 0 || static_cast<int>(progress.size()) < stopAfter;
  }
  SaveAnswer AskToSave(const std::string& utf8) override {
    questions.push_back(utf8);
    return saveAnswer;
  }
  bool WaitForPhotos(const std::string& utf8, const std::string& photoFolder) override {
    waits.push_back({utf8, photoFolder});
    return whilePhotosAwaited && whilePhotosAwaited();
  }
  void SetProgressStep(const std::string& utf8) override { progressSteps.push_back(utf8); }
  std::optional<RgbColour> ChooseColour(RgbColour initial) override {
    colourSeeds.push_back(initial);
    if (colourAnswers.empty()) return std::nullopt;
    auto answer = colourAnswers.front();
    colourAnswers.pop_front();
    return answer;
  }

  std::vector<Message> messages;
  std::map<int, std::string> edits;
  std::vector<bool> waitCursorLog;
  std::vector<std::pair<int, int>> progress;  // done, total
  int stopAfter = -1;                         // the progress call that asks to stop
  std::vector<RgbColour> colourSeeds;
  std::deque<std::optional<RgbColour>> colourAnswers;
  std::vector<std::string> questions;  // asked before ending with unsaved texts
  SaveAnswer saveAnswer = SaveAnswer::kDiscard;
  std::vector<std::pair<std::string, std::string>> waits;  // text, photo folder
  std::function<bool()> whilePhotosAwaited;                // what the user does; nothing gives up
  std::vector<std::string> progressSteps;
  int aboutBoxes = 0;
  int invalidations = 0;
  bool ended = false;
};
