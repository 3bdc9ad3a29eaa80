#pragma once
#include <string>
#include <vector>

namespace platform {

// "DIR/*.jpg": every regular file whose name ends in ".jpg", compared without
// regard to case, in ascending byte order of the names. A missing or unreadable
// folder lists nothing.
std::vector<std::string> ListJpg(const std::string& dir);

}  // namespace platform
