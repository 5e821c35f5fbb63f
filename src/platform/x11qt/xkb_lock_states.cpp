#include "platform/x11qt/xkb_lock_states.h"

#include <X11/XKBlib.h>

namespace tw {
namespace {

int IndicatorIndex(::Display* display, const char* name) {
  int index = -1;
  Bool on = False;
  Atom atom = XInternAtom(display, name, False);
  if (!XkbGetNamedIndicator(display, atom, &index, &on, nullptr, nullptr)) return -1;
  return index;
}

}  // namespace

XkbLockStates::XkbLockStates(::Display* display) : display_(display) {
  if (!display_) return;
  int opcode, event_base, error_base, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display_, &opcode, &event_base, &error_base, &major, &minor)) return;
  caps_index_ = IndicatorIndex(display_, "Caps Lock");
  num_index_ = IndicatorIndex(display_, "Num Lock");
  scroll_index_ = IndicatorIndex(display_, "Scroll Lock");
}

LockStates XkbLockStates::ReadLockStates() {
  LockStates states;
  unsigned bits = 0;
  if (!display_ || XkbGetIndicatorState(display_, XkbUseCoreKbd, &bits) != Success) return states;
  auto lit = [bits](int index) { return index >= 0 && (bits & (1u << index)) != 0; };
  states.caps_lock = lit(caps_index_);
  states.num_lock = lit(num_index_);
  states.scroll_lock = lit(scroll_index_);
  return states;
}

}  // namespace tw
