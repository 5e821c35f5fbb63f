// A connection to the X server of its own, so that the keyboard's requests do not
// depend on the toolkit's connection, and a guard that turns X protocol errors of a
// few requests into a result instead of the default handler's exit.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

namespace tw {

// Receives the events that arrive on an X11Display's connection.
class X11EventListener {
 public:
  virtual ~X11EventListener() = default;
  virtual void OnXEvent(const XEvent& event) = 0;
};

class X11Display {
 public:
  // Opens the display named by name (DISPLAY when empty); Get() is null on failure.
  explicit X11Display(const std::string& name = "");
  ~X11Display();
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

  ::Display* Get() const { return display_; }
  explicit operator bool() const { return display_ != nullptr; }
  Atom Intern(const char* name) const;

  // Listeners keep their caches current from events instead of asking the server
  // a hundred times a second. They must unregister before they are destroyed.
  void AddListener(X11EventListener* listener);
  void RemoveListener(X11EventListener* listener);
  // Hands every event that has arrived to all listeners; never waits for the server.
  void Pump();

 private:
  ::Display* display_ = nullptr;
  std::vector<X11EventListener*> listeners_;
};

// Collects the X errors of the requests made while it lives (on this connection).
class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(::Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;
  // Waits for the server to answer everything so far; true when nothing failed.
  // Call it after the last request: the destructor then needs no second round trip.
  bool Ok();

 private:
  ::Display* display_;
  int (*previous_)(::Display*, XErrorEvent*);
  bool checked_ = false;  // Ok() has synced since the last request
};

}  // namespace tw
