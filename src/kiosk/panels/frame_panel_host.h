// What the banner bar and the side panels need of the running kiosk.
#pragma once

#include <string>
#include <string_view>

#include "kiosk/core/scroll_stepper.h"

namespace tw {

class FramePanelHost {
 public:
  virtual ~FramePanelHost() = default;

  virtual void GoToURL(const std::string& url, int reason) = 0;
  virtual void WriteLog(std::string_view text) = 0;
  virtual void CheckExitPassword(int tag) = 0;
  virtual void HideEmail() = 0;
  // The keyboard pages' Exit buttons are shown (BUTTONS/ExitOn).
  virtual bool ExitButtonsVisible() const = 0;
  virtual void RequestExit() = 0;
  // An error that ends what a panel was doing; the kiosk goes on.
  virtual void ReportError(const std::string& message) = 0;
  // A press on a panel's background: the browser gets the focus back (the right panel
  // and the arrows) or, for an external browser, its window comes to the front (all).
  virtual void ReturnFocusToBrowser() = 0;
  virtual void ActivateTarget() = 0;
  // The arrows of the right panel.
  virtual void ArrowPressed(ScrollDirection direction) = 0;
  virtual void ArrowReleased(ScrollDirection direction) = 0;
};

}  // namespace tw
