#include "common/system/program_directory.h"

#include <filesystem>

namespace tw {

std::string ExecutableDirectory() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  std::string dir = ec ? std::filesystem::current_path().string() : exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace tw
