// The desktop locked around the kiosk on the X display: the system key combinations
// grabbed on the root window and the server's own VT-switch and terminate actions taken
// off the keyboard map, and the desktop's dock windows (task bars, panels) unmapped.
// Everything is given back when unlocked, and when the object goes.
//
// The actions taken off the map are also written to a state file in the user's runtime
// folder while the lock holds, so that a kiosk that was killed before it could give them
// back has them given back by its next start (at its unlock, or when it goes).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw {

class X11Display;

class X11DesktopLock {
 public:
  // Receives one clear line for each part of the key lock that could not be set up, so
  // that an operator knows the kiosk is not fully locked.
  using Report = std::function<void(const std::string&)>;

  // Opens its own connection to the display (DISPLAY when the name is empty); without
  // one every call does nothing (locking the keys reports that). `state_file` keeps the
  // actions taken off the map; empty means "tarnwick-keymap-DISPLAY" in XDG_RUNTIME_DIR
  // (no state file when that is not set).
  explicit X11DesktopLock(const std::string& display_name = "", std::string state_file = "");
  ~X11DesktopLock();
  X11DesktopLock(const X11DesktopLock&) = delete;
  X11DesktopLock& operator=(const X11DesktopLock&) = delete;

  bool Available() const;
  void SetSystemKeyLock(bool locked);
  // The external browser's own shortcuts (task manager, developer tools, new windows,
  // closing its window, find, zoom, full screen, its keyboard keys, ...) grabbed while it
  // runs. False when locking left any of them to the visitor (no display, another
  // program holding one): the browser must not be shown then.
  bool SetBrowserKeyLock(bool locked);
  void SetTaskBarHidden(bool hidden);
  // A key (without modifiers) that the kiosk grabs for itself: left out of the locks,
  // which could not grab it then. Set before locking.
  void KeepKey(unsigned long keysym) { kept_keysym_ = keysym; }
  // Maps every unmapped dock window of the display, also those that a kiosk which ended
  // abnormally left hidden (the Setup Manager's Taskbar command). Returns how many.
  std::size_t ShowAllDockWindows();
  // Where problems go. Those found before there was a report are kept and handed over
  // here, so the lock can be set before the log is open.
  void SetReport(Report report);

  // The key combinations that are grabbed (key symbol, modifier mask without the
  // lock and other modifiers, which are grabbed in every combination), for tests.
  struct Combination {
    unsigned long keysym;  // KeySym
    unsigned int modifiers;
  };
  static const std::vector<Combination>& SystemCombinations();
  static const std::vector<Combination>& BrowserCombinations();
  // Number of server actions (VT switch, terminate) currently taken off the map.
  std::size_t disabled_actions() const { return disabled_actions_.size(); }
  const std::vector<unsigned long>& hidden_docks() const { return hidden_docks_; }

 private:
  struct DisabledAction {
    unsigned char keycode;
    int index;
    unsigned char type;
  };
  // False when a combination could not be grabbed (each is reported).
  bool GrabKeys(const std::vector<Combination>& combinations, bool grab);
  void SetServerActions(bool disabled);
  void Problem(const std::string& text);
  // Actions of an earlier run that are still off the map, from the state file.
  std::vector<DisabledAction> ReadStateFile() const;
  void WriteStateFile();

  std::unique_ptr<X11Display> display_;
  std::string state_file_;
  Report report_;
  std::vector<std::string> unreported_;
  bool locked_ = false;
  unsigned long kept_keysym_ = 0;
  bool browser_locked_ = false;
  bool browser_keys_held_ = false;
  std::vector<DisabledAction> disabled_actions_;
  std::vector<unsigned long> hidden_docks_;  // X window ids
};

}  // namespace tw
