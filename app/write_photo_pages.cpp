// ⑤ "HTMLファイル作成": five pages per photo, family by family. The pages carry
// only their photo number; everything else they read from the data scripts
// when the browser shows them. After the pages, the tiles and screen copies
// of the photos that have none yet, or only older ones.
#include "app/gallery_editor_dlg.h"
#include "app/screen_picture_files.h"
#include "app/wait_cursor.h"
#include "platform/text_file.h"
#include "site/page_families.h"
#include "texts/app_texts.h"
#include "texts/site_texts.h"

void CGalleryEditorDlg::OnHtmlFiles() {
  // A page that cannot be written stops the step and ends the dialog. The abort
  // flag is not cleared first: after a start-up that stopped, the dialog ends.
  if (platform::Status names = CheckLinkSafeNames(); !names) {
    StopWithError(names.error());
    return;
  }
  platform::Status outcome;
  {
    WaitCursor wait(ui_);
    for (const site::PageFamily& family : site::PageFamilies()) {
      for (int n = 1; n <= state_.photoCount && outcome; ++n) {
        std::string path = family.path(n);
        if (!platform::WriteCrLfTextFile(path, family.bytes(n)))
          outcome = platform::Fail(txt::kCannotWritePrefix + path);
      }
    }
    if (outcome) outcome = UpdateScreenPictures(ui_);
  }
  EndStep(outcome, txt::kPagesDone);
}
