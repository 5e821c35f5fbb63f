#include "common/system/command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace tw {

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> parts;
  std::string part;
  bool in_part = false;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      in_part = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_part) parts.push_back(std::move(part));
      part.clear();
      in_part = false;
    } else {
      part += c;
      in_part = true;
    }
  }
  if (in_part) parts.push_back(std::move(part));
  return parts;
}

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::string> FindProgram(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (IsExecutableFile(name)) return name;
    return std::nullopt;
  }
  const char* path = std::getenv("PATH");
  const std::string dirs = path != nullptr && *path != '\0' ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    // An empty entry is the current folder, as for the shell.
    const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
    const std::string candidate = dir + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace tw
