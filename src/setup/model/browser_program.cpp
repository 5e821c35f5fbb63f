#include "setup/model/browser_program.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/system/command_line.h"

namespace tw {
namespace {

// Empty when `path` is an executable regular file, otherwise why not.
std::string NotRunnable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return path + ": " + std::strerror(errno);
  if (!S_ISREG(info.st_mode)) return path + " is not a file.";
  if (::access(path.c_str(), X_OK) != 0) return path + " cannot be run: " + std::strerror(errno);
  return {};
}

std::string OnPath(std::string_view name) { return FindProgram(std::string(name)).value_or(""); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

ResolvedProgram ResolveBrowserProgram(std::string_view file_name) {
  const std::vector<std::string> words = SplitCommandLine(file_name);
  if (words.empty()) return {{}, "Path not specified."};
  const std::string& program = words.front();
  if (program.find('/') != std::string::npos) {
    std::string error = NotRunnable(program);
    if (!error.empty()) return {{}, std::move(error)};
    return {program, {}};
  }
  std::string found = OnPath(program);
  if (found.empty()) return {{}, program + " was not found on the program path."};
  return {std::move(found), {}};
}

std::string FindUsualBrowser(std::string_view other_than) {
  for (const std::string_view name : kUsualBrowserNames) {
    std::string found = OnPath(name);
    if (!found.empty() && found != other_than) return found;
  }
  return {};
}

std::optional<BrowserIdentity> ParseBrowserVersion(std::string_view output) {
  static constexpr std::string_view kFamily[] = {"Chromium ", "Google Chrome "};
  while (!output.empty()) {
    const auto end = output.find('\n');
    std::string_view line = output.substr(0, end);
    output = end == std::string_view::npos ? std::string_view() : output.substr(end + 1);
    for (const std::string_view name : kFamily) {
      if (line.substr(0, name.size()) != name) continue;
      std::string_view rest = line.substr(name.size());
      int major = 0;
      std::size_t digits = 0;
      while (digits < rest.size() && digits < 6 && IsDigit(rest[digits])) major = major * 10 + (rest[digits++] - '0');
      if (digits > 0 && (digits == rest.size() || rest[digits] == '.' || rest[digits] == ' ')) {
        return BrowserIdentity{std::string(name.substr(0, name.size() - 1)), major};
      }
    }
  }
  return std::nullopt;
}

std::string WithProgram(std::string_view file_name, std::string_view program) {
  std::vector<std::string> words = SplitCommandLine(file_name);
  if (words.empty()) words.emplace_back();
  words.front() = program;
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty()) line += ' ';
    const bool quote = word.empty() || word.find_first_of(" \t") != std::string::npos;
    line += quote ? "\"" + word + "\"" : word;
  }
  return line;
}

}  // namespace tw
