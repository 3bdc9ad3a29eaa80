// vornami.exe: the gallery editor dialog on Windows, working in the gallery
// folder: the current folder, or the one the user chooses when started
// elsewhere (from the Start menu, say).
#include <windows.h>
// After windows.h, which it needs.
#include <objbase.h>

#include "app/gallery_template_dir.h"
#include "platform/encoding.h"
#include "platform/gallery_lock.h"
#include "platform/wide_text.h"
#include "texts/app_texts.h"
#include "win/start_folder.h"
#include "win/win_dialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  if (EnterStartFolder(GalleryTemplateDir())) {
    // One editor per gallery, for the whole run.
    platform::GalleryLock lock;
    if (lock.Take(".") == platform::GalleryLock::State::kHeldElsewhere) {
      MessageBoxW(nullptr, platform::Wide(platform::SjisToUtf8(txt::kGalleryOpenElsewhere)).c_str(),
                  platform::Wide(platform::SjisToUtf8(txt::kCaption)).c_str(),
                  MB_OK | MB_ICONWARNING);
    } else {
      WinDialog dialog(instance);
      if (dialog.Initialise()) dialog.Run();
    }
  }
  CoUninitialize();
  return 0;
}
