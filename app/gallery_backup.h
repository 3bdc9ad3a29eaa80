#pragma once
// Copies of gallery files kept before a step drops what they hold.
#include <span>
#include <string>

#include "platform/result.h"

// Copies each existing file of paths (relative to the gallery's root) into a
// new folder "vornami-backup/<YYYYMMDD-HHMMSS>/" at the same relative path
// ("vornami-backup/20261210-153000/gallery/data/title.js"); a folder of that
// second already there gets "-2", "-3", … so no backup is ever overwritten.
// The folder, with its "/", or a failure naming the path that could not be
// written.
platform::Result<std::string> BackUpGalleryFiles(std::span<const char* const> paths);
