#pragma once
// The local calendar time of a moment, as each system gives it safely from
// any thread.
#include <ctime>

namespace platform {

std::tm LocalTime(std::time_t moment);

}  // namespace platform
