#pragma once
#include <string>

namespace platform {

// The folder that holds the running program; the gallery template lies beside it.
std::string ExecutableDir();

}  // namespace platform
