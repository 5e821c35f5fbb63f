// Kiosk hooks that remember every call.
#pragma once

#include <string>
#include <vector>

#include "kiosk/core/kiosk_hooks.h"

namespace tw::test {

class RecordingHooks : public KioskHooks {
 public:
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void SetTaskBarHidden(bool hidden) override { calls.push_back(hidden ? "taskbar hidden" : "taskbar shown"); }
  void SetSystemKeyLock(bool locked) override { calls.push_back(locked ? "keys locked" : "keys unlocked"); }

  std::vector<std::string> errors;
  std::vector<std::string> calls;
};

}  // namespace tw::test
