#include "platform/fault_injection.h"

#include <cerrno>
#include <utility>

namespace platform {
namespace {
FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}
}  // namespace

void SetFaultHook(FaultHook hook) { Hook() = std::move(hook); }

bool ShouldFail(FileOp op, std::string_view path) {
  if (!Hook()) return false;
  const int error = Hook()(op, path);
  if (error == 0) return false;
  errno = error;
  return true;
}

}  // namespace platform
