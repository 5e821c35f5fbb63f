// Caps Lock, Num Lock and Scroll Lock as the XKB indicators show them.
#pragma once

#include <X11/Xlib.h>

#include "platform/lock_states.h"

namespace tw {

class XkbLockStates : public LockStateSource {
 public:
  explicit XkbLockStates(::Display* display);
  // One request per call: the indicator bits, read against indices found once.
  LockStates ReadLockStates() override;

 private:
  ::Display* display_;
  int caps_index_ = -1;
  int num_index_ = -1;
  int scroll_index_ = -1;
};

}  // namespace tw
