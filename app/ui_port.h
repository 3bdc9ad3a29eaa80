#pragma once
// What the dialog logic needs of a window system. Texts cross this port as UTF-8.
#include <cstdint>
#include <optional>
#include <string>

struct RgbColour {
  std::uint8_t red = 0, green = 0, blue = 0;
};

class UiPort {
 public:
  enum class MessageStyle { kError, kNote };
  enum class SaveAnswer { kSave, kDiscard, kCancel };

  virtual ~UiPort() = default;
  // A modal box with the caption "Vornami編集" and one OK button.
  virtual void ShowMessage(const std::string& utf8, MessageStyle style) = 0;
  virtual void ShowAboutBox() = 0;
  virtual void SetWaitCursor(bool on) = 0;
  // Edits 1011 to 1013; line breaks are CR LF as an edit control delivers them.
  virtual std::string GetEditText(int id) = 0;
  virtual void SetEditText(int id, const std::string& utf8) = 0;
  virtual void Invalidate() = 0;
  virtual void EndDialog() = 0;
  // The colour picker seeded with a colour; nothing when cancelled.
  virtual std::optional<RgbColour> ChooseColour(RgbColour initial) = 0;
  // A question answered はい (true) or いいえ. A window system that cannot
  // ask answers いいえ.
  virtual bool Ask(const std::string& utf8) {
    (void)utf8;
    return false;
  }
  // How far a batch step is: done of total photos. Called often, from the
  // dialog's thread; a window system shows it once the step takes a while and
  // keeps the window responsive. False when the user asks the step to stop.
  virtual bool Progress(int done, int total) {
    (void)done;
    (void)total;
    return true;
  }
  // Names the step whose progress follows ("サムネイル作成中…").
  virtual void SetProgressStep(const std::string& utf8) { (void)utf8; }
  // The question asked before the dialog ends with texts not saved: a modal
  // box with 保存 / 保存しない / キャンセル, none of them the default.
  virtual SaveAnswer AskToSave(const std::string& utf8) = 0;
  // A gallery without photos yet: shows the text (where to copy them), offers
  // to open photoFolder in the file manager and waits. True when the user
  // asks to look again, false when they give up; false at once where nobody
  // can be asked.
  virtual bool WaitForPhotos(const std::string& utf8, const std::string& photoFolder) {
    (void)utf8;
    (void)photoFolder;
    return false;
  }
};
