#include "platform/fault_injection.h"

#include <utility>

namespace platform {
namespace {
FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}
}  // namespace

void SetFaultHook(FaultHook hook) { Hook() = std::move(hook); }

bool ShouldFail(FileOp op, std::string_view path) { return Hook() && Hook()(op, path); }

}  // namespace platform
