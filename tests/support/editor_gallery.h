#pragma once
// Galleries with renamed photos and their thumbnails, and a started editor
// dialog on them, for the editor's tests.
#include <cstdint>
#include <string>
#include <vector>

#include "app/gallery_editor_dlg.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"

// The name of photo number n (1 to 1000) in the form 2003_08_03_09_05_00.jpg;
// names sort in the order of their numbers.
std::string PhotoName(int n);

// An 8 x 8 baseline JPEG, so that thumbnails stay decodable.
const std::vector<std::uint8_t>& TinyJpeg();

// Photos 1 to count in "Pelvora" and their "Tn_" thumbnails.
void AddPhotos(int count);

std::string Sjis(const std::string& utf8);
std::string Utf8(const std::string& sjis);

// Every "\n" as CR LF, as the data files hold their lines on disk.
std::string OnDisk(const std::string& text);

// A temporary gallery with photos, and the dialog started on it.
struct EditorGallery {
  explicit EditorGallery(int photos, bool start = true) {
    AddPhotos(photos);
    if (start) dlg.OnInitDialog();
  }
  SharedState& state() { return dlg.state(); }
  std::string Edit(int id) { return ui.edits[id]; }

  TempGallery gallery;
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
};
