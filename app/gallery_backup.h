#pragma once
// Copies of gallery files kept before a step drops or replaces what they hold
// (④ dropping texts, an upgrade replacing fixed pages).
#include <string>
#include <vector>

#include "platform/result.h"

// The local date and time as a backup folder's name, "YYYYMMDD-HHMMSS".
std::string BackupStamp();

// Copies each existing file of paths (relative to the gallery's root, the
// current folder) into a new folder "vornami-backup/<stamp>/" at the same
// relative path ("vornami-backup/20261210-153000/gallery/data/title.js"); a
// folder of that stamp already there gets "-2", "-3", … so no backup is ever
// overwritten. The folder, with its "/", or a failure naming the path that
// could not be written.
platform::Result<std::string> BackUpGalleryFiles(const std::vector<std::string>& paths,
                                                 const std::string& stamp = BackupStamp());
