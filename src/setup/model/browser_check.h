// The external-browser settings check that OK runs before saving when the kiosk is to use
// the external browser: six rows, each checked for real, with the texts of the dialog that
// shows them and what its "Yes" may adjust. Runs without Qt, in any thread.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "setup/model/browser_probe.h"
#include "setup/model/browser_profile_folder.h"
#include "setup/model/browser_program.h"

namespace tw {

enum BrowserCheckRow : int {
  kRowFilePath,
  kRowBrowser,
  kRowRemoteControl,
  kRowProtocolLock,
  kRowProfileFolder,
  kRowVersion,
  kBrowserCheckRows,
};

struct BrowserCheckRowText {
  const char* label;
  const char* caption;  // the group's caption while the row is checked
};
inline constexpr std::array<BrowserCheckRowText, kBrowserCheckRows> kBrowserCheckRowTexts = {{
    {"File Path", "Checking the browser program"},
    {"Browser", "Checking which browser it is"},
    {"Remote control", "Checking the browser's remote control"},
    // The kiosk stops other schemes in the page itself; there is no policy file to check.
    {"Protocol lock", ""},
    {"Profile folder", "Checking the kiosk's profile folder"},
    {"Version(s)", "Checking your external browser version"},
}};

enum class RowVerdict { kUnchecked, kGood, kBad, kNotNeeded };

struct BrowserRowResult {
  RowVerdict verdict = RowVerdict::kUnchecked;
  std::string detail;
};

struct BrowserCheckLimits {
  std::chrono::milliseconds version{5000};
  ProbeLimits probe;
};

struct BrowserCheckReport {
  std::array<BrowserRowResult, kBrowserCheckRows> rows;
  std::string program;  // the program found, empty when none
  std::optional<BrowserIdentity> identity;
  ProfileFolderState::Kind profile = ProfileFolderState::kUsable;
  bool usual_browser_found = false;  // one of the usual names is on PATH

  bool Good(BrowserCheckRow row) const { return rows[row].verdict == RowVerdict::kGood; }
  // Rows 1 to 5 need nothing (the version has its own question).
  bool SettingsCorrect() const;
  // Known, and older than the kiosk works with.
  bool VersionTooOld() const { return identity && identity->major < kMinimumBrowserVersion; }
  // "Yes" can look for another program / clear the profile folder's lock.
  bool ProgramAdjustable() const;
  bool ProfileAdjustable() const { return profile == ProfileFolderState::kStaleLock; }
  // No browser at all: the program is not there and none of the usual names is.
  bool NoBrowser() const { return !Good(kRowFilePath) && !usual_browser_found; }
};

// `progress(row, percent, result)` as each row goes on, from the calling thread; `result`
// comes with the row's 100 % once the row is decided, and is null before.
using BrowserCheckProgress = std::function<void(BrowserCheckRow, int, const BrowserRowResult*)>;

// `program_dir` ends with "/".
BrowserCheckReport RunBrowserChecks(const std::string& file_name, const std::string& program_dir,
                                    const BrowserCheckLimits& limits, const BrowserCheckProgress& progress);

// What the dialog shows once the checks are done.
struct BrowserCheckView {
  std::string lines[3];
  bool show_first_lines = true;  // the first two lines
  bool yes_no = false;           // "&Yes" and "&No"; otherwise "&OK" alone
};
BrowserCheckView FinalView(const BrowserCheckReport& report, bool switched, bool kept_old_version);

// The texts of the dialog and its questions ("\n" where the lines break).
namespace browser_check_text {
inline constexpr const char* kChecking = "Setup Manager is checking your external browser settings.";
inline constexpr const char* kFinished = "Setup Manager has finished checking your external browser settings.";
inline constexpr const char* kOldVersionRemark = ", but your version is not fully compatible with Tarnwick.";
inline constexpr const char* kLocateQuestion =
    "Setup Manager was unable to locate the browser program on your system.\n\nDo you wish to locate it yourself?";
inline constexpr const char* kLocateTitle = "Locate browser program";
std::string VersionQuestion(const BrowserCheckReport& report);
std::string NoBrowserQuestion();
std::string AdjustIncomplete(const BrowserCheckReport& report);
}  // namespace browser_check_text

}  // namespace tw
