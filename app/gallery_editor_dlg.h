#pragma once
// The main dialog's logic, free of any window system: handlers talk to the
// user through a UiPort.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/heif_conversion.h"
#include "app/rename_listing.h"
#include "app/shared_state.h"
#include "app/ui_port.h"
#include "exif/info_value_texts.h"
#include "jpeg/dib.h"
#include "platform/result.h"
#include "site/data_scripts.h"

// A text the dialog paints at a pixel position of its client area.
struct PaintedText {
  std::string utf8;
  RgbColour colour;
  int x = 0, y = 0;
};

class CGalleryEditorDlg {
 public:
  explicit CGalleryEditorDlg(UiPort& ui) : ui_(ui) {}

  // Builds the shared state; false when it ended the dialog for lack of photos.
  // A gallery without photos waits for them where the window system can.
  bool OnInitDialog();
  void OnSysCommand(unsigned commandId);
  std::vector<PaintedText> PaintTexts() const;
  // "閉じる", and the window's close box and Esc: ends the dialog, after
  // asking whether to save texts typed or registered and not saved.
  void OnOK();
  void OnCancel() { OnOK(); }
  // Texts typed into the edits and not registered, or registered and not saved.
  bool HasUnsavedTexts();
  // Reads the current photo's thumbnail and rebuilds the preview bitmap.
  void LoadPreview();
  // Paints the preview bitmap at the top-left corner of the preview control
  // (control 1014), whose surface the painter is; false when there is no picture.
  bool PaintPreview(DibPainter& previewControl) const;

  // ① to ⑤
  void OnRenameByDate();
  void OnMakeThumbnails();
  void OnShootingInfo();
  void OnHtmlData();
  void OnHtmlFiles();
  // ⑥ navigation and annotation editing
  void OnFirst();
  void OnJumpBack();
  void OnBack();
  void OnNext();
  void OnJumpForward();
  void OnLast();
  void OnRegister();
  void OnSaveData();
  // ⑦ to ⑪ and the top-page photo
  void OnBgColor();
  void OnTitleColor();
  void OnItemColor();
  void OnDataColor();
  void OnResetColors();
  void OnTopPhoto();

  // Runs the handler of a button; false for an id without one.
  bool Click(int controlId);

  const SharedState& state() const { return state_; }
  SharedState& state() { return state_; }
  bool ended() const { return ended_; }
  const CDib& previewBitmap() const { return preview_; }

 private:
  void ShowError(const std::string& sjis);
  void ShowNote(const std::string& sjis);
  void EndDialog();
  // Ends the dialog unless the user keeps it open when asked about unsaved
  // texts; true when it ended.
  bool EndDialogAsking();
  // "登録・更新" itself: false, with the message shown, when a text is refused.
  bool RegisterEdits();
  // A fatal error of a batch step: the message, the abort flag, the dialog ends.
  void StopWithError(const std::string& sjis);
  // How each of ① to ⑤ ends: a failed outcome shows its fatal message and sets
  // the abort flag; with the flag set the dialog ends, otherwise the completion
  // note shows. True when the step completed.
  bool EndStep(const platform::Status& outcome, const char* completionNote);
  // ① and ② list "Pelvora" afresh into the photo list; fails with the message
  // when it is empty or more than the tables hold.
  platform::Status ListPhotosForBatchStep();
  // ② to ⑤: fails with the message naming the listed photos whose names
  // would break the gallery's links.
  platform::Status CheckLinkSafeNames() const;
  // The same for a listing made by the step itself.
  platform::Status TakePhotoList(const std::vector<std::string>& photos);
  // ①'s first part: every HEIF photo in "Pelvora" becomes a JPEG. Returns
  // what became of them (those that stay count as photos without an Exif
  // block), nothing when the user stopped it. The listing is made afresh.
  std::optional<HeifConversion> ConvertHeifFirst(RenameListing& listing);
  // ④'s scripts and annotation files; fails with the path of the first that
  // cannot be written.
  platform::Status WriteDataScripts(const site::GallerySummary& summary, const DataTables& tables);
  // "データ保存"'s three files, normalised first; as above. Once written,
  // nothing registered is unsaved.
  platform::Status WriteAnnotationFiles();
  // "gallerytoppic.js" naming photo n; fails with its path.
  platform::Status WriteTopPhoto(int n);
  void SetEdit(int id, const std::string& sjis);
  void BuildPreviewBitmap();

  // Makes photo n the current photo and shows it with its title and memo.
  void ShowPhoto(int n);
  // Replaces a gallery file in one step; when that fails, an error names the
  // file and the failure is returned.
  platform::Status ReplaceGalleryFile(const char* path, const std::string& text);
  // One colour button: index 0 to 3 is background, top-page title, item names, data texts.
  void SetColour(int index, const char* confirmation);
  // The colour and top-photo buttons end the dialog while the abort flag is set.
  void ConfirmOrEnd(const char* confirmation);
  // Once per run, for a gallery whose fixed pages are of an earlier version:
  // asks, and replaces them (with their backups) when the user agrees.
  void OfferUpgrade();

  UiPort& ui_;
  SharedState state_;
  bool ended_ = false;
  bool upgradeOffered_ = false;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  std::unique_ptr<std::uint8_t[]> red_, green_, blue_;
  CDib preview_;
  // The colour last accepted in each colour button's dialog, black until then.
  std::array<RgbColour, 4> rememberedColours_{};
  // The remembered maker and custom-function headers of ③, kept until the program ends.
  ShootingInfoMemory infoMemory_;
};
