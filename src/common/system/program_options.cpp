#include "common/system/program_options.h"

#include <algorithm>
#include <cstdio>

#include "common/system/program_directory.h"

namespace tw {

bool ProgramOptions::Has(std::string_view flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

ProgramOptions ParseProgramOptions(int argc, const char* const* argv,
                                   std::initializer_list<std::string_view> own_flags) {
  ProgramOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--dir") {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        options.action = ProgramOptions::Action::kUsageError;
        return options;
      }
      options.dir = argv[++i];
    } else if (arg == "--help") {
      options.action = ProgramOptions::Action::kHelp;
      return options;
    } else if (arg == "--version") {
      options.action = ProgramOptions::Action::kVersion;
      return options;
    } else if (std::find(own_flags.begin(), own_flags.end(), arg) != own_flags.end() && !options.Has(arg)) {
      options.flags.emplace_back(arg);
    }
  }
  if (options.dir.empty()) options.dir = ExecutableDirectory();
  if (options.dir.back() != '/') options.dir += '/';
  return options;
}

std::optional<int> AnswerInsteadOfRunning(const ProgramOptions& options, const char* name, const char* version,
                                          const char* usage) {
  switch (options.action) {
    case ProgramOptions::Action::kUsageError: std::fputs(usage, stderr); return 2;
    case ProgramOptions::Action::kHelp: std::fputs(usage, stdout); return 0;
    case ProgramOptions::Action::kVersion: std::printf("%s %s\n", name, version); return 0;
    case ProgramOptions::Action::kRun: break;
  }
  return std::nullopt;
}

}  // namespace tw
