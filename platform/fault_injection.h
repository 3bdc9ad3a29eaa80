#pragma once
// The seam through which tests make a file operation fail. Tests run as root,
// where permissions cannot provoke failures; production code never sets a hook.
#include <functional>
#include <string_view>

namespace platform {

enum class FileOp { Open, Read, Write, Rename, List };

using FaultHook = std::function<bool(FileOp op, std::string_view path)>;

// Installs the hook (an empty one removes it). It returns true to make the operation fail.
void SetFaultHook(FaultHook hook);

// Asked by every platform file operation before it touches the file system.
bool ShouldFail(FileOp op, std::string_view path);

}  // namespace platform
