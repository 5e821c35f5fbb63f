// A program run for what it prints (a browser's --version): no shell, its standard output
// collected, and a time limit after which it is stopped.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace tw {

struct ProgramOutput {
  int start_error = 0;     // the system's error number when it could not be started
  bool timed_out = false;  // stopped at the time limit
  int exit_status = -1;    // its exit status when it ended on its own; -1 after a signal
  std::string output;      // standard output (at most kMaxOutput bytes)

  static constexpr std::size_t kMaxOutput = 64 * 1024;
};

// Runs argv[0] (looked up on PATH when it has no "/") and waits for it to end, at most `limit`.
ProgramOutput RunForOutput(const std::vector<std::string>& argv, std::chrono::milliseconds limit);

}  // namespace tw
