#pragma once
#include <optional>
#include <string>

// Replaces a gallery data file in one step (platform::ReplaceTextFile). When
// that fails, the message (Shift-JIS) that names the file: one the user may
// not write, or one that could not be written.
std::optional<std::string> ReplaceGalleryFileFailure(const char* path, const std::string& text);
