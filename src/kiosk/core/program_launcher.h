// Runs one of the operator's listed programs while the kiosk steps back behind it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class KioskController;

// Starting and awaiting a program. The real one lives in the windowing layer.
class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts the program named by argv[0] with the rest as its arguments, never through a
  // shell; false when it could not be started.
  virtual bool Start(const std::vector<std::string>& argv) = 0;
  // Returns when the started program has ended; the kiosk's own events go on meanwhile.
  virtual void WaitForEnd() = 0;
};

// A command line as program and arguments: split at blanks, double quotes group a part
// that holds blanks (the quotes themselves are dropped).
std::vector<std::string> SplitCommandLine(std::string_view line);

class ProgramLauncher {
 public:
  ProgramLauncher(KioskController& controller, ProcessRunner& runner);

  // Starts the command line and waits for its end with the kiosk in idle mode.
  void RunProgram(const std::string& command_line);
  // When set, RunProgram hands the run to it to be carried out later, from the event
  // loop itself: a page's link must not wait for the program inside the browser's call.
  std::function<void(std::function<void()>)> defer;
  bool running() const { return running_; }

 private:
  void Run(const std::string& command_line);

  KioskController& controller_;
  ProcessRunner& runner_;
  bool running_ = false;
};

}  // namespace tw
