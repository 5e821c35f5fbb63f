// The kiosk's tagged buttons, as other parts press them (command URLs, the idle timer).
// A button's tag (1 = the clock ... 26 = the Keyboard button) is the exit password
// letter's character code minus 64.
#pragma once

#include "common/config/password_sequence.h"

namespace tw {

using KioskButton = PasswordObject;

inline constexpr int ButtonTag(KioskButton button) { return static_cast<int>(button) + 1; }

// Implemented by the windows that own the buttons: a click does exactly what a visitor's
// press does (its own action, its log line, the exit password).
class KioskButtons {
 public:
  virtual ~KioskButtons() = default;
  virtual void Click(KioskButton button) = 0;
};

}  // namespace tw
