// Moving and renaming files without ever replacing an existing file.
#pragma once

#include <string>

namespace tw {

struct MoveResult {
  bool moved = false;
  std::string final_path;  // where the file now is (when moved)
  std::string error;       // why not (when not moved)
};

// Moves `from` to `to`. When `to` exists, tries "stem-1.ext", "stem-2.ext", ... beside it,
// so an earlier file of the same name is never overwritten.
MoveResult MoveToFreeName(const std::string& from, const std::string& to);

}  // namespace tw
