// Tells whether the pointer may have moved since it was last asked, from the input
// devices' raw events (mouse, touch screen, XTest), so that an idle kiosk need not ask
// the X server where the pointer is every second. After the first event it stops
// listening until asked again: a visitor's moving mouse costs one event a second, not
// hundreds. It has a connection of its own, read only when asked: no wake-ups.
#pragma once

#include <memory>

namespace tw {

class X11PointerActivity {
 public:
  X11PointerActivity();
  ~X11PointerActivity();
  X11PointerActivity(const X11PointerActivity&) = delete;
  X11PointerActivity& operator=(const X11PointerActivity&) = delete;

  // False without a display or without raw input events (XInput 2.1): then every
  // question must be answered by asking for the pointer.
  bool available() const;
  // Whether a pointing device reported anything since the last call (true when not
  // available); listens again from now on.
  bool TakeMoved();

 private:
  class Connection;
  std::unique_ptr<Connection> connection_;
};

}  // namespace tw
