#pragma once
#include <string>

#include "platform/result.h"

namespace platform {

// Renames without ever replacing an existing file: two photos of the same
// second must both survive. Renaming a file to the name it already has
// succeeds and changes nothing. Fails with from when the source is missing,
// the target exists, or the rename fails otherwise; errno then says why
// (EEXIST for a target that exists).
Status RenameNoReplace(const std::string& from, const std::string& to);

// Moves from over to, replacing it in one step (the atomic half of a safe
// save); fails with to.
Status RenameReplace(const std::string& from, const std::string& to);

}  // namespace platform
