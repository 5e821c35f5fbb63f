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

XkbLockStates::XkbLockStates(X11Display& display) : x_(display) {
  ::Display* dpy = x_.Get();
  if (!dpy) return;
  int opcode, error_base, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(dpy, &opcode, &xkb_event_base_, &error_base, &major, &minor)) {
    xkb_event_base_ = -1;
    return;
  }
  caps_index_ = IndicatorIndex(dpy, "Caps Lock");
  num_index_ = IndicatorIndex(dpy, "Num Lock");
  scroll_index_ = IndicatorIndex(dpy, "Scroll Lock");
  // Events first, then the state: no change between the two goes unseen.
  XkbSelectEventDetails(dpy, XkbUseCoreKbd, XkbIndicatorStateNotify, XkbAllIndicatorsMask, XkbAllIndicatorsMask);
  x_.AddListener(this);
  XkbGetIndicatorState(dpy, XkbUseCoreKbd, &bits_);
}

XkbLockStates::~XkbLockStates() {
  if (xkb_event_base_ < 0) return;
  x_.RemoveListener(this);
  XkbSelectEventDetails(x_.Get(), XkbUseCoreKbd, XkbIndicatorStateNotify, XkbAllIndicatorsMask, 0);
}

void XkbLockStates::OnXEvent(const XEvent& event) {
  if (xkb_event_base_ < 0 || event.type != xkb_event_base_) return;
  const auto& xkb = reinterpret_cast<const XkbEvent&>(event);
  if (xkb.any.xkb_type == XkbIndicatorStateNotify) bits_ = xkb.indicators.state;
}

LockStates XkbLockStates::ReadLockStates() {
  LockStates states;
  if (xkb_event_base_ < 0) return states;
  x_.Pump();
  auto lit = [this](int index) { return index >= 0 && (bits_ & (1u << index)) != 0; };
  states.caps_lock = lit(caps_index_);
  states.num_lock = lit(num_index_);
  states.scroll_lock = lit(scroll_index_);
  return states;
}

}  // namespace tw
