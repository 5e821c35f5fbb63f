// The remote-control probe: the browser started exactly as the kiosk starts it (headless,
// on the control pipes, with a throw-away profile), asked for its version and closed. The
// process and the profile are gone again when the probe returns, whatever happened.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace tw {

struct ProbeLimits {
  std::chrono::milliseconds answer{10000};  // from the start to the version's reply
  std::chrono::milliseconds close{5000};    // for the browser to end after it is asked to
};

struct ProbeResult {
  bool answered = false;
  std::string product;  // what the browser says it is ("Chrome/156.0.8078.129")
  std::string detail;   // for the operator: what happened
};

// `progress` gets the percentage done (from the probe's own thread).
ProbeResult ProbeRemoteControl(std::string_view file_name, const ProbeLimits& limits,
                               const std::function<void(int)>& progress);

}  // namespace tw
