// The options both programs take on their command line: --dir DIR, --help, --version, and
// flags of a program's own (the kiosk's --check-config).
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct ProgramOptions {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  // The program folder, ending in "/": --dir's, or the executable's own when none is given.
  std::string dir;
  // Those of the program's own flags that were given.
  std::vector<std::string> flags;

  bool Has(std::string_view flag) const;
};

// The first of --help and --version wins; --dir without a folder (or with an empty one) is
// a usage error. Anything else (Qt's -platform and the like) is left for Qt to read.
ProgramOptions ParseProgramOptions(int argc, const char* const* argv,
                                   std::initializer_list<std::string_view> own_flags = {});

// What the program does instead of running: the usage on stdout for --help, "NAME VERSION"
// for --version, the usage on stderr for a usage error; the exit code to end with (0, 0, 2).
// Nothing when the program is to run.
std::optional<int> AnswerInsteadOfRunning(const ProgramOptions& options, const char* name, const char* version,
                                          const char* usage);

}  // namespace tw
