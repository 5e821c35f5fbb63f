// The external-browser check against fake browsers (right, wrong, hanging, talking
// nonsense), the kiosk's profile folder in each state, and the program's name and version.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <sstream>

#include "setup/model/browser_check.h"
#include "support/fake_browser.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using namespace std::chrono_literals;
using test::FakeBrowserMode;
namespace fs = std::filesystem;

constexpr BrowserCheckLimits kShortLimits{2s, {3s, 2s}};

// PATH set for one test and put back afterwards.
class ScopedPath {
 public:
  explicit ScopedPath(const std::string& path) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    ::setenv("PATH", path.c_str(), 1);
  }
  ~ScopedPath() { ::setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

std::string Verdicts(std::span<const BrowserRowResult> rows) {
  std::string s;
  for (const BrowserRowResult& row : rows) {
    s += row.verdict == RowVerdict::kGood        ? 'G'
         : row.verdict == RowVerdict::kBad       ? 'R'
         : row.verdict == RowVerdict::kNotNeeded ? '-'
                                                 : '?';
  }
  return s;
}

TEST(BrowserCheck, EachRowAgainstAFakeBrowser) {
  const struct {
    const char* name;
    FakeBrowserMode mode;
    int major;
    const char* verdicts;  // rows 1 to 6
    const char* detail;    // in the first red row
  } kCases[] = {
      {"a browser that answers", FakeBrowserMode::kAnswers, 130, "GGG-GG", ""},
      {"one too old", FakeBrowserMode::kAnswers, 110, "GGG-GR", "Version 110; the kiosk needs 120 or later."},
      {"another program", FakeBrowserMode::kNotABrowser, 130, "GRR-GR", "(it says \"Mozilla Firefox 115.5.0esr\")"},
      {"--version never ends", FakeBrowserMode::kVersionHangs, 130, "GRR-GR", "--version did not end within 2000 ms"},
      {"silent on the pipe", FakeBrowserMode::kHangs, 130, "GGR-GG", "did not answer on its control pipe within 3 s"},
      {"ends at once", FakeBrowserMode::kExits, 130, "GGR-GG", "did not answer"},
      {"talks nonsense", FakeBrowserMode::kGarbage, 130, "GGR-GG",
       "It sent 2 message(s) that were not the protocol's."},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    const std::string program = test::WriteFakeBrowser(dir.path(), "fake browser", c.mode, c.major);
    std::vector<std::pair<BrowserCheckRow, int>> progress;
    std::string decided;  // the verdicts as each row was decided
    const auto started = std::chrono::steady_clock::now();
    const BrowserCheckReport report =
        RunBrowserChecks("\"" + program + "\" --lang=de", dir.path() + "/", kShortLimits,
                         [&](BrowserCheckRow row, int percent, const BrowserRowResult* result) {
                           progress.emplace_back(row, percent);
                           if (result != nullptr) decided += Verdicts({result, 1});
                         });
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_EQ(Verdicts(report.rows), c.verdicts);
    EXPECT_EQ(decided, c.verdicts);
    EXPECT_EQ(report.program, program);
    EXPECT_EQ(report.SettingsCorrect(), std::string(c.verdicts).substr(0, 5) == "GGG-G");
    for (const BrowserRowResult& row : report.rows) {
      if (row.verdict == RowVerdict::kBad) {
        EXPECT_NE(row.detail.find(c.detail), std::string::npos) << row.detail;
        break;
      }
    }
    // Every row ran to its end, in order.
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), std::make_pair(kRowVersion, 100));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

    // When the probe started it: as the kiosk starts it, and nothing of it is left.
    const std::string started_file = dir.File("started.txt");
    if (!fs::exists(started_file)) {
      EXPECT_EQ(report.rows[kRowRemoteControl].detail.rfind("Not tried", 0), 0u);
      continue;
    }
    std::istringstream lines(test::Slurp(started_file));
    std::string pid, line, profile;
    std::getline(lines, pid);
    std::vector<std::string> args;
    while (std::getline(lines, line)) args.push_back(line);
    EXPECT_EQ(args.front(), "--lang=de");  // the operator's own argument first
    for (const char* flag : {"--remote-debugging-pipe", "--headless"}) {
      EXPECT_NE(std::find(args.begin(), args.end(), flag), args.end()) << flag;
    }
    for (const std::string& arg : args) {
      if (arg.rfind("--user-data-dir=", 0) == 0) profile = arg.substr(16);
    }
    ASSERT_FALSE(profile.empty());
    EXPECT_FALSE(fs::exists(profile)) << profile;
    EXPECT_NE(::kill(std::stoi(pid), 0), 0) << "the fake browser still runs";
  }
}

TEST(BrowserCheck, NoProgramAtAllAndTheUsualNamesOnThePath) {
  test::TempDir dir;
  const ScopedPath path(dir.path());
  const BrowserCheckReport missing = RunBrowserChecks("chromium", dir.path() + "/", kShortLimits, {});
  EXPECT_EQ(Verdicts(missing.rows), "RRR-GR");
  EXPECT_EQ(missing.rows[kRowFilePath].detail, "chromium was not found on the program path.");
  EXPECT_TRUE(missing.NoBrowser());
  EXPECT_TRUE(missing.ProgramAdjustable());
  EXPECT_EQ(RunBrowserChecks("", dir.path() + "/", kShortLimits, {}).rows[kRowFilePath].detail, "Path not specified.");

  // A usual name on PATH: found (but not when it is the program already given), and the
  // operator's arguments stay with the new program.
  const std::string usual = test::WriteFakeBrowser(dir.path(), "google-chrome", FakeBrowserMode::kAnswers);
  EXPECT_FALSE(RunBrowserChecks("/opt/none/chrome", dir.path() + "/", kShortLimits, {}).NoBrowser());
  EXPECT_EQ(FindUsualBrowser(), usual);
  EXPECT_EQ(FindUsualBrowser(usual), "");
  EXPECT_EQ(Verdicts(RunBrowserChecks("google-chrome", dir.path() + "/", kShortLimits, {}).rows), "GGG-GG");
  EXPECT_EQ(WithProgram("/opt/none/chrome --lang=de \"--user-agent=a b\"", "/usr/my bin/chromium"),
            "\"/usr/my bin/chromium\" --lang=de \"--user-agent=a b\"");
  EXPECT_EQ(WithProgram("", "/usr/bin/chromium"), "/usr/bin/chromium");
}

// Probes' temporary profiles, and browsers whose command line names one (their helpers'
// do not: that they ended shows in the profile, which they write into until they end).
// What a probe left in `folder` (its temporary profiles) and processes still running with
// the folder on their command line.
std::size_t ProbeLeftovers(const std::string& folder) {
  std::size_t found = 0;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    found += entry.path().filename().string().rfind("tarnwick-browser-check-", 0) == 0;
  }
  for (const auto& entry : fs::directory_iterator("/proc", ec)) {
    const std::string cmdline = test::Slurp(entry.path().string() + "/cmdline");
    found += cmdline.find(folder) != std::string::npos;
  }
  return found;
}

TEST(BrowserCheck, TheRealBrowserIsGreenAndLeavesNothingBehind) {
  if (ResolveBrowserProgram("chromium").path.empty()) GTEST_SKIP() << "chromium is not installed";
  test::TempDir dir;
  // The probe's temporary profile goes into a folder of this test's own: other tests may
  // be probing at the same time.
  test::TempDir temporary;
  const char* old_tmpdir = std::getenv("TMPDIR");
  const std::string saved = old_tmpdir != nullptr ? old_tmpdir : "";
  ::setenv("TMPDIR", temporary.path().c_str(), 1);
  const BrowserCheckReport report = RunBrowserChecks("chromium", dir.path() + "/", BrowserCheckLimits{}, {});
  if (old_tmpdir != nullptr) {
    ::setenv("TMPDIR", saved.c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
  EXPECT_EQ(Verdicts(report.rows), "GGG-GG") << report.rows[kRowRemoteControl].detail;
  EXPECT_EQ(report.identity->name, "Chromium");
  EXPECT_GE(report.identity->major, kMinimumBrowserVersion);
  EXPECT_NE(report.rows[kRowRemoteControl].detail.find("Chrome/" + std::to_string(report.identity->major) + "."),
            std::string::npos)
      << report.rows[kRowRemoteControl].detail;
  EXPECT_EQ(ProbeLeftovers(temporary.path()), 0u);
}

TEST(BrowserCheck, VersionLines) {
  const struct {
    const char* output;
    const char* name;
    int major;
  } kCases[] = {
      {"Chromium 156.0.8078.129 built on Debian GNU/Linux 12 (bookworm)\n", "Chromium", 156},
      {"/usr/bin/chromium: 9: [: unexpected operator\nChromium 120.0.6099.224 \n", "Chromium", 120},
      {"Google Chrome 131.0.6778.85 \n", "Google Chrome", 131},
      {"Mozilla Firefox 115.5.0esr\n", "", 0},
      {"Chromium\n", "", 0},
      {"Chromium x.1\n", "", 0},
      {"", "", 0},
  };
  for (const auto& c : kCases) {
    const auto identity = ParseBrowserVersion(c.output);
    EXPECT_EQ(identity ? identity->name : "", c.name) << c.output;
    EXPECT_EQ(identity ? identity->major : 0, c.major) << c.output;
  }
}

TEST(BrowserProfileFolder, EachStateAndWhatRepairDoes) {
  char host[HOST_NAME_MAX + 1] = {};
  ::gethostname(host, sizeof host - 1);
  const std::string live = std::string(host) + "-" + std::to_string(::getpid());
  const struct {
    const char* name;
    std::string lock;  // the lock link's target; empty: none; "file": the folder is a file
    ProfileFolderState::Kind before;
    ProfileFolderState::Kind after_repair;
  } kCases[] = {
      {"not there yet", "", ProfileFolderState::kUsable, ProfileFolderState::kUsable},
      {"left by a browser that ended", std::string(host) + "-999999999", ProfileFolderState::kStaleLock,
       ProfileFolderState::kUsable},
      {"left on another machine", "elsewhere-42", ProfileFolderState::kStaleLock, ProfileFolderState::kUsable},
      {"held by a running browser", live, ProfileFolderState::kHeldByBrowser, ProfileFolderState::kHeldByBrowser},
      {"a file in its place", "file", ProfileFolderState::kNotWritable, ProfileFolderState::kNotWritable},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    const std::string program_dir = dir.path() + "/";
    const std::string folder = program_dir + kBrowserProfileFolder;
    if (c.lock == "file") {
      test::Spit(folder, "x");
    } else if (!c.lock.empty()) {
      fs::create_directory(folder);
      fs::create_symlink(c.lock, folder + "/SingletonLock");
      fs::create_symlink("/tmp/gone/SingletonSocket", folder + "/SingletonSocket");
    }
    EXPECT_EQ(CheckProfileFolder(program_dir).kind, c.before);
    EXPECT_EQ(fs::exists(folder), c.lock != "") << "the check leaves nothing behind";
    const std::string error = RepairProfileFolder(program_dir);
    EXPECT_EQ(error.empty(), c.after_repair == ProfileFolderState::kUsable) << error;
    EXPECT_EQ(CheckProfileFolder(program_dir).kind, c.after_repair);
    if (c.after_repair == ProfileFolderState::kUsable) {
      EXPECT_TRUE(fs::is_directory(folder));
      EXPECT_FALSE(fs::is_symlink(folder + "/SingletonSocket"));
    }
  }
}

TEST(BrowserProfileFolder, AProgramFolderThatCannotBeWritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  test::TempDir dir;
  ::chmod(dir.path().c_str(), 0555);
  EXPECT_EQ(CheckProfileFolder(dir.path() + "/").kind, ProfileFolderState::kNotWritable);
  EXPECT_NE(RepairProfileFolder(dir.path() + "/"), "");
  ::chmod(dir.path().c_str(), 0755);
}

}  // namespace
}  // namespace tw
