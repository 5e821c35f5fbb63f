#include "kiosk/core/log/file_moves.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tw {
namespace {

std::string WithSuffix(const std::string& path, int n) {
  const auto slash = path.rfind('/');
  const auto dot = path.rfind('.');
  const bool has_ext = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  const std::string suffix = "-" + std::to_string(n);
  return has_ext ? path.substr(0, dot) + suffix + path.substr(dot) : path + suffix;
}

// Renames without replacing; 0 on success, else errno (EEXIST when the target exists).
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // File systems without the flag: a hard link also refuses an existing target.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

}  // namespace

MoveResult MoveToFreeName(const std::string& from, const std::string& to) {
  MoveResult result;
  for (int n = 0; n < 10000; ++n) {
    const std::string target = n == 0 ? to : WithSuffix(to, n);
    const int error = RenameNoReplace(from, target);
    if (error == 0) {
      result.moved = true;
      result.final_path = target;
      return result;
    }
    if (error != EEXIST) {
      result.error = std::strerror(error);
      return result;
    }
  }
  result.error = "no free name";
  return result;
}

}  // namespace tw
