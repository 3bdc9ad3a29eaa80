#pragma once
#include <string>

// The message (Shift-JIS) for a gallery file that could not be written, naming
// it: one the user may not write, or one whose write failed.
std::string WriteFailureMessage(const std::string& path);
