#include "common/system/program_options.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/system/program_directory.h"

namespace tw {
namespace {

using Action = ProgramOptions::Action;

TEST(ProgramOptions, CommandLines) {
  struct Case {
    std::vector<const char*> args;  // after the program's name
    Action action;
    std::string dir;  // for a run; empty: the executable's folder
    bool check_config;
    std::optional<int> exit_code;
  };
  const Case cases[] = {
      {{}, Action::kRun, "", false, std::nullopt},
      {{"--dir", "/srv/kiosk"}, Action::kRun, "/srv/kiosk/", false, std::nullopt},
      {{"--dir", "/srv/kiosk/", "--check-config"}, Action::kRun, "/srv/kiosk/", true, std::nullopt},
      // Qt's own options are left alone, their values too.
      {{"-platform", "offscreen", "--check-config", "--dir", "rel"}, Action::kRun, "rel/", true, std::nullopt},
      // The last --dir counts.
      {{"--dir", "/a", "--dir", "/b"}, Action::kRun, "/b/", false, std::nullopt},
      {{"--dir"}, Action::kUsageError, "", false, 2},
      {{"--dir", ""}, Action::kUsageError, "", false, 2},
      {{"--help", "--dir"}, Action::kHelp, "", false, 0},
      {{"--dir", "/a", "--version", "--help"}, Action::kVersion, "", false, 0},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv{"tarnwick"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    std::string line;
    for (const char* a : c.args) line += std::string(a) + " ";
    SCOPED_TRACE(line);
    const ProgramOptions options = ParseProgramOptions(static_cast<int>(argv.size()), argv.data(), {"--check-config"});
    EXPECT_EQ(options.action, c.action);
    if (c.action == Action::kRun) {
      EXPECT_EQ(options.dir, c.dir.empty() ? ExecutableDirectory() : c.dir);
    }
    EXPECT_EQ(options.Has("--check-config"), c.check_config);
    EXPECT_EQ(AnswerInsteadOfRunning(options, "tarnwick", "1.0", ""), c.exit_code);
  }
  // A flag the program does not take is left alone like Qt's.
  const char* argv[] = {"tarnwick-setup", "--check-config"};
  EXPECT_FALSE(ParseProgramOptions(2, argv).Has("--check-config"));
}

}  // namespace
}  // namespace tw
