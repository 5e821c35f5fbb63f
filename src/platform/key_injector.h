// Typing into whichever window has the keyboard focus.
#pragma once

#include "common/keyboard/key_script.h"

namespace tw {

// Sends synthetic key events; as a KeyboardLayout it also tells which key (and
// which modifiers) types a character in the layout that is active right now.
class KeyInjector : public KeyboardLayout {
 public:
  virtual void SendKey(const KeyEvent& event) = 0;
  // Inverts the Num Lock state directly, without a key event.
  virtual void ToggleNumLock() = 0;
  // Hands everything sent so far to the system.
  virtual void Flush() {}
};

}  // namespace tw
