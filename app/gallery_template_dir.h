#pragma once
#include <string>

// The gallery as delivered: beside the program in the build tree
// (bin/gallery_template), or installed under ../share/vornami/ next to the
// program's folder (/usr/bin -> /usr/share/vornami/gallery_template).
std::string GalleryTemplateDir();

// The same choice for a given program folder; the first candidate that is a
// folder wins, the build layout when neither is.
std::string GalleryTemplateDirFor(const std::string& programDir);
