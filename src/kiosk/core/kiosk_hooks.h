// What the controller needs from the windows and the desktop around it. The Qt shell
// implements it; tests record the calls.
#pragma once

#include <string>

namespace tw {

struct KioskConfig;

class KioskHooks {
 public:
  virtual ~KioskHooks() = default;
  // Shows an error to whoever is in front of the kiosk (the controller has written it
  // to the log already).
  virtual void ShowError(const std::string& text) = 0;
  // Desktop lock-down around the kiosk: the task bar and the system key combinations.
  virtual void SetTaskBarHidden(bool hidden) = 0;
  virtual void SetSystemKeyLock(bool locked) = 0;
  // The external browser's own shortcuts, kept from the visitor while it runs. False when
  // some could not be taken (the browser must not show pages then).
  virtual bool SetBrowserKeyLock(bool) { return true; }
  // Whether browser engine `engine` (BROWSER/Browser's number) can run with these
  // settings (its program is there, say). The fallback engine is never asked.
  virtual bool BrowserCanRun(int /*engine*/, const KioskConfig& /*config*/) const { return false; }
  // Work for the browser's main loop has arrived (a URL queued, the end asked for): a
  // pass should run soon. An idle kiosk runs no passes.
  virtual void PassDue() {}
};

}  // namespace tw
