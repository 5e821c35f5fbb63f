// Runs one of the operator's listed programs while the kiosk steps back behind it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class ActivityTimer;
class KioskRequests;

// Starting and awaiting a program. The real one lives in the windowing layer.
class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts the program named by argv[0] with the rest as its arguments, never through a
  // shell; false when it could not be started.
  virtual bool Start(const std::vector<std::string>& argv) = 0;
  // Returns when the started program has ended; the kiosk's own events go on meanwhile.
  virtual void WaitForEnd() = 0;
  // Ends the started program now: asks it to stop, kills it when it has not stopped after
  // a grace time, and returns once it is gone. A WaitForEnd still under way returns later.
  virtual void End() = 0;
};

class ProgramLauncher {
 public:
  // The log and the idle mode a running program holds.
  ProgramLauncher(KioskRequests& kiosk, ActivityTimer& activity, ProcessRunner& runner);

  // Starts the command line and waits for its end with the kiosk in idle mode.
  void RunProgram(const std::string& command_line);
  // When set, RunProgram hands the run to it to be carried out later, from the event
  // loop itself: a page's link must not wait for the program inside the browser's call.
  std::function<void(std::function<void()>)> defer;
  bool running() const { return running_; }

  // The kiosk is closing: the program that runs now is ended at once and its lines are
  // written now, so that they come before the kiosk's last line; when the run's wait
  // returns later nothing more is written or shown. No program is started after this.
  void EndRunningProgram();

 private:
  void Run(const std::string& command_line);
  // The kiosk comes back from behind the program.
  void Finish();

  KioskRequests& kiosk_;
  ActivityTimer& activity_;
  ProcessRunner& runner_;
  bool running_ = false;
  bool finished_ = false;  // the running program's end has been handled
  bool closing_ = false;
  std::string command_line_;
};

}  // namespace tw
