// Caps Lock, Num Lock and Scroll Lock as the XKB indicators show them. The
// indicator bits are read once and then follow the server's indicator events, so
// a read costs no request.
#pragma once

#include <X11/Xlib.h>

#include "platform/lock_states.h"
#include "platform/x11qt/x11_display.h"

namespace tw {

class XkbLockStates : public LockStateSource, private X11EventListener {
 public:
  // The display must outlive this object.
  explicit XkbLockStates(X11Display& display);
  ~XkbLockStates() override;
  XkbLockStates(const XkbLockStates&) = delete;
  XkbLockStates& operator=(const XkbLockStates&) = delete;

  LockStates ReadLockStates() override;

 private:
  void OnXEvent(const XEvent& event) override;

  X11Display& x_;
  int xkb_event_base_ = -1;
  unsigned bits_ = 0;
  int caps_index_ = -1;
  int num_index_ = -1;
  int scroll_index_ = -1;
};

}  // namespace tw
