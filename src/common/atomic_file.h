// Replacing a file's contents so that a crash or a full disk leaves either the old or the
// new file, never half of one: write a temporary file beside it, sync, rename, sync the
// folder. The file keeps its permissions.
#pragma once

#include <string>
#include <string_view>

namespace tw {

// False when the file could not be written; the old contents are then untouched.
bool ReplaceFileAtomically(const std::string& path, std::string_view data);

}  // namespace tw
