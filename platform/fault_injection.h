#pragma once
// The seam through which tests make a file operation fail. Tests run as root,
// where permissions cannot provoke failures; production code never sets a hook.
#include <functional>
#include <string_view>

namespace platform {

enum class FileOp { Open, Read, Write, Sync, Rename, List, Lock };

// Returns the error the operation fails with (an errno value such as ENOSPC or
// EACCES), or 0 to let it run. A hook that returns true fails it with EPERM.
using FaultHook = std::function<int(FileOp op, std::string_view path)>;

// Installs the hook (an empty one removes it).
void SetFaultHook(FaultHook hook);

// Asked by every platform file operation before it touches the file system;
// true, with errno set to the hook's error, when the operation is to fail.
bool ShouldFail(FileOp op, std::string_view path);

}  // namespace platform
