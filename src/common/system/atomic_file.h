// Replacing a file's contents so that a crash or a full disk leaves either the old or the
// new file, never half of one: write a temporary file beside it, sync, rename, sync the
// folder. The file keeps its permissions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// False when the file could not be written; the old contents are then untouched.
bool ReplaceFileAtomically(const std::string& path, std::string_view data);

// The whole file; nothing when it cannot be read, with errno's value in *error (ENOENT for
// a file that does not exist, EISDIR for a folder).
std::optional<std::string> ReadWholeFile(const std::string& path, int* error = nullptr);

// The folder part of a path: "." for a bare name, "/" for a file in the root.
std::string DirectoryOf(const std::string& path);

}  // namespace tw
