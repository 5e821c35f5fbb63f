#include "kiosk/core/commands/program_launcher.h"

#include "common/system/command_line.h"
#include "common/texts/log_texts.h"
#include "kiosk/core/attract/activity_timer.h"
#include "kiosk/core/kiosk_requests.h"

namespace tw {

ProgramLauncher::ProgramLauncher(KioskRequests& kiosk, ActivityTimer& activity, ProcessRunner& runner)
    : kiosk_(kiosk), activity_(activity), runner_(runner) {}

void ProgramLauncher::RunProgram(const std::string& command_line) {
  if (defer) {
    defer([this, command_line] { Run(command_line); });
    return;
  }
  Run(command_line);
}

void ProgramLauncher::Run(const std::string& command_line) {
  // The kiosk is closing: its log already has its last line.
  if (closing_) return;
  // The kiosk waits for one program at a time; a page cannot pile up more behind it.
  const std::vector<std::string> argv = SplitCommandLine(command_line);
  if (running_ || argv.empty() || !runner_.Start(argv)) {
    kiosk_.WriteLog(log_text::kFailedToStartProgram + command_line);
    return;
  }
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(running_);
  command_line_ = command_line;
  finished_ = false;
  kiosk_.WriteLog(log_text::kStartedProgram + command_line);
  activity_.IdleModeOn();
  runner_.WaitForEnd();
  // Ended from outside while waiting: that already wrote the lines.
  if (!finished_) Finish();
}

void ProgramLauncher::Finish() {
  finished_ = true;
  activity_.IdleModeOff();
  kiosk_.WriteLog(log_text::kProgramTerminated + command_line_);
}

void ProgramLauncher::EndRunningProgram() {
  closing_ = true;
  if (!running_ || finished_) return;
  runner_.End();
  Finish();
}

}  // namespace tw
