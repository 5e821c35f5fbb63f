#include "platform/x11qt/x11_display.h"

namespace tw {
namespace {

// Errors seen by the trap; the keyboard's X calls all run on the GUI thread.
thread_local int trapped_errors = 0;

// Waits for the server only when some request has not been answered yet; after a
// request with a reply every earlier error has already been handled.
void SyncIfPending(::Display* display) {
  if (NextRequest(display) - 1 != LastKnownRequestProcessed(display)) XSync(display, False);
}

int CountError(::Display*, XErrorEvent*) {
  ++trapped_errors;
  return 0;
}

}  // namespace

X11Display::X11Display(const std::string& name) : display_(XOpenDisplay(name.empty() ? nullptr : name.c_str())) {}

X11Display::~X11Display() {
  if (display_) XCloseDisplay(display_);
}

Atom X11Display::Intern(const char* name) const { return XInternAtom(display_, name, False); }

void X11Display::AddListener(X11EventListener* listener) { listeners_.push_back(listener); }

void X11Display::RemoveListener(X11EventListener* listener) { std::erase(listeners_, listener); }

void X11Display::Pump() {
  if (!display_) return;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    for (X11EventListener* listener : listeners_) listener->OnXEvent(event);
  }
}

X11ErrorTrap::X11ErrorTrap(::Display* display) : display_(display) {
  SyncIfPending(display_);
  trapped_errors = 0;
  previous_ = XSetErrorHandler(CountError);
}

X11ErrorTrap::~X11ErrorTrap() {
  if (!checked_) SyncIfPending(display_);
  XSetErrorHandler(previous_);
}

bool X11ErrorTrap::Ok() {
  SyncIfPending(display_);
  checked_ = true;
  return trapped_errors == 0;
}

}  // namespace tw
