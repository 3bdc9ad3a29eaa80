// ①'s first part: HEIF photos become JPEGs before any photo is read.
#include "app/gallery_editor_dlg.h"
#include "app/wait_cursor.h"
#include "picture/heif_photo.h"
#include "platform/text_file.h"

std::optional<HeifConversion> CGalleryEditorDlg::ConvertHeifFirst(RenameListing& listing) {
  if (listing.heif.empty()) return HeifConversion();
  // Without libheif the HEIF photos stay listed: ① names them and renames
  // nothing.
  if (!HeifSupported()) {
    HeifConversion none;
    none.kept = listing.heif;
    return none;
  }
  // A conversion cut short leaves its temporary file.
  platform::RemoveLeftoverTemporaries(paths::kPhotoDir);
  HeifConversion conversion;
  {
    WaitCursor wait(ui_);
    const int n = static_cast<int>(listing.heif.size());
    conversion = ConvertHeifPhotos(std::string(paths::kPhotoDir) + "/", listing.heif,
                                   [&](int finished) { return ui_.Progress(finished, n); });
  }
  if (conversion.stopped) return std::nullopt;
  listing = ListForRename(paths::kPhotoDir);
  return conversion;
}
