#include "setup/model/browser_check.h"

#include <cstring>

#include "devtools/program_output.h"

namespace tw {
namespace {

void Set(BrowserCheckReport& report, BrowserCheckRow row, bool good, std::string detail) {
  report.rows[row] = {good ? RowVerdict::kGood : RowVerdict::kBad, std::move(detail)};
}

void CheckIdentity(BrowserCheckReport& report, const BrowserCheckLimits& limits) {
  const ProgramOutput run = RunForOutput({report.program, "--version"}, limits.version);
  if (run.start_error != 0) {
    Set(report, kRowBrowser, false, report.program + " could not be started: " + std::strerror(run.start_error));
  } else if (run.timed_out) {
    Set(report, kRowBrowser, false,
        report.program + " --version did not end within " + std::to_string(limits.version.count()) + " ms.");
  } else if ((report.identity = ParseBrowserVersion(run.output))) {
    Set(report, kRowBrowser, true, report.identity->name + " " + std::to_string(report.identity->major));
  } else {
    const std::string said = run.output.substr(0, run.output.find('\n'));
    Set(report, kRowBrowser, false,
        report.program + " is not a browser the kiosk can drive" +
            (said.empty() ? "." : " (it says \"" + said + "\")."));
  }
}

}  // namespace

bool BrowserCheckReport::SettingsCorrect() const {
  for (int row = kRowFilePath; row < kRowVersion; ++row) {
    if (rows[row].verdict != RowVerdict::kGood && rows[row].verdict != RowVerdict::kNotNeeded) return false;
  }
  return true;
}

bool BrowserCheckReport::ProgramAdjustable() const {
  return !Good(kRowFilePath) || !Good(kRowBrowser) || !Good(kRowRemoteControl);
}

BrowserCheckReport RunBrowserChecks(const std::string& file_name, const std::string& program_dir,
                                    const BrowserCheckLimits& limits, const BrowserCheckProgress& progress_to) {
  BrowserCheckReport report;
  const auto progress = [&progress_to](BrowserCheckRow row, int percent) {
    if (progress_to) progress_to(row, percent, nullptr);
  };
  const auto decided = [&progress_to, &report](BrowserCheckRow row) {
    if (progress_to) progress_to(row, 100, &report.rows[row]);
  };
  report.usual_browser_found = !FindUsualBrowser().empty();

  progress(kRowFilePath, 0);
  ResolvedProgram program = ResolveBrowserProgram(file_name);
  report.program = program.path;
  Set(report, kRowFilePath, !program.path.empty(), program.path.empty() ? program.error : program.path);
  decided(kRowFilePath);

  progress(kRowBrowser, 0);
  if (report.program.empty()) {
    Set(report, kRowBrowser, false, "There is no program to ask.");
  } else {
    CheckIdentity(report, limits);
  }
  decided(kRowBrowser);

  progress(kRowRemoteControl, 0);
  if (!report.Good(kRowBrowser)) {
    // Nothing is started that is not known to be a browser of the family.
    Set(report, kRowRemoteControl, false, "Not tried: the program is not a browser the kiosk can drive.");
  } else {
    const ProbeResult probe =
        ProbeRemoteControl(file_name, limits.probe, [&](int percent) { progress(kRowRemoteControl, percent); });
    Set(report, kRowRemoteControl, probe.answered, probe.detail);
  }
  decided(kRowRemoteControl);

  report.rows[kRowProtocolLock] = {RowVerdict::kNotNeeded,
                                   "The kiosk stops other schemes in the page itself: no policy file is needed."};
  decided(kRowProtocolLock);

  progress(kRowProfileFolder, 0);
  ProfileFolderState profile = CheckProfileFolder(program_dir);
  report.profile = profile.kind;
  Set(report, kRowProfileFolder, profile.kind == ProfileFolderState::kUsable, std::move(profile.detail));
  decided(kRowProfileFolder);

  progress(kRowVersion, 0);
  if (!report.identity) {
    Set(report, kRowVersion, false, "The version is not known.");
  } else {
    Set(report, kRowVersion, !report.VersionTooOld(),
        "Version " + std::to_string(report.identity->major) + "; the kiosk needs " +
            std::to_string(kMinimumBrowserVersion) + " or later.");
  }
  decided(kRowVersion);
  return report;
}

BrowserCheckView FinalView(const BrowserCheckReport& report, bool switched, bool kept_old_version) {
  BrowserCheckView view;
  if (switched || report.SettingsCorrect()) {
    view.show_first_lines = false;
    view.lines[2] = switched ? "Now using EMBEDDED BROWSER."
                             : std::string("Your external browser settings are correct") +
                                   (kept_old_version ? browser_check_text::kOldVersionRemark : ".");
    return view;
  }
  view.lines[0] = "The settings shown in red need to be adjusted in order for Tarnwick to";
  view.lines[1] = "work effectively with the external browser.";
  view.lines[2] = "Would you like Setup Manager to make these changes for you now?";
  view.yes_no = true;
  return view;
}

namespace browser_check_text {

std::string VersionQuestion(const BrowserCheckReport& report) {
  return "Your system has an incompatible external browser version (" + report.identity->name + " " +
         std::to_string(report.identity->major) +
         "). \nPlease remember that Tarnwick will only function correctly with version " +
         std::to_string(kMinimumBrowserVersion) +
         " or later.\nYou could use the embedded browser instead.\n\nStay with the external browser?";
}

std::string NoBrowserQuestion() {
  return "Setup Manager found no external browser on your system.\nTarnwick can use its embedded browser "
         "instead.\n\nStay with the external browser?";
}

std::string AdjustIncomplete(const BrowserCheckReport& report) {
  std::string text =
      "Setup Manager was unable to adjust all of your external browser settings correctly.\nPlease consult your "
      "documentation for guidance on how to make these changes.\n";
  for (int row = kRowFilePath; row < kRowVersion; ++row) {
    if (report.rows[row].verdict == RowVerdict::kBad) {
      text += std::string("\n") + kBrowserCheckRowTexts[row].label + ": " + report.rows[row].detail;
    }
  }
  return text;
}

}  // namespace browser_check_text

}  // namespace tw
