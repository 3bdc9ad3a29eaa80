// The dialog's start-up offer to bring a gallery of an earlier version up to
// this one (what `vornami-batch upgrade` does, asked first).
#include "app/gallery_backup.h"
#include "app/gallery_editor_dlg.h"
#include "app/gallery_template_dir.h"
#include "app/gallery_upgrade.h"
#include "platform/encoding.h"
#include "texts/app_texts.h"

void CGalleryEditorDlg::OfferUpgrade() {
  if (upgradeOffered_) return;
  upgradeOffered_ = true;
  const std::string templateDir = GalleryTemplateDir();
  if (!HasOlderFixedPages(templateDir, ".")) return;
  if (!ui_.Ask(platform::SjisToUtf8(txt::kUpgradeOffer))) return;
  auto done = UpgradeFixedPages(templateDir, BackupStamp());
  if (!done) {
    ui_.ShowMessage(platform::SjisToUtf8(txt::kCannotWritePrefix) + done.error(),
                    UiPort::MessageStyle::kError);
    return;
  }
  ShowNote(txt::kUpgradeDonePrefix + done->backupDir);
}
