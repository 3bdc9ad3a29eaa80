#pragma once
#include <string>

#include "platform/result.h"

// Lays the gallery folder as delivered into targetDir: every folder of the
// gallery tree, and the fixed pages copied from templateDir. Existing files are
// never overwritten; "Pelvora/", "gallery/thumbnail/" and "gallery/data/" get
// no files. Fails with a reason when a folder or file cannot be made.
platform::Status LayOutGallery(const std::string& templateDir, const std::string& targetDir);
