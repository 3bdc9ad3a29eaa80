#pragma once
// Starting the desktop's opener on the gallery's top page.
#include <sys/types.h>

#include <string>

namespace launcher {

// Starts "xdg-open page", found through PATH, without waiting for it. The
// child's id, or -1 when it could not be started.
pid_t StartOpener(const std::string& page);

// The launcher's whole run: names the top page for the current directory and
// starts the opener on it. The child's id, or -1 when nothing was started.
pid_t OpenTopPage();

}  // namespace launcher
