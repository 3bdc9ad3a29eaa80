#pragma once
// Files that must be whole on the disk before anything depends on them: a
// photo converted from another is written, flushed, and only then named.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/result.h"

namespace platform {

// Writes a new file (never one that exists, never through a link) and
// flushes it to the disk; fails with the path, and then no file is left.
Status WriteSyncedNewFile(const std::string& path, const std::uint8_t* data, std::size_t size);

// Flushes the folder's entries (the renames inside it) to the disk.
void SyncFolder(const std::string& dir);

// Creates the folder unless one is there; fails with the path.
Status MakeFolder(const std::string& dir);

}  // namespace platform
