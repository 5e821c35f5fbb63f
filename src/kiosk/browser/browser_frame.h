// What the browser host needs of the kiosk's windows around it.
#pragma once

#include <functional>

#include "kiosk/core/frame/browser_placement.h"

namespace tw {

class BrowserFrame {
 public:
  virtual ~BrowserFrame() = default;
  // The frame panels' current sizes, from which the browser's hole is computed.
  virtual PanelSizes CurrentPanelSizes() const = 0;
  virtual void PlaceBrowserWindow(const BrowserPlacement& placement) = 0;
  // The browser window appears and the splash goes.
  virtual void ShowBrowserWindow() = 0;
  virtual void SetBackEnabled(bool enabled) = 0;
  virtual void SetForwardEnabled(bool enabled) = 0;
  virtual void SetStopEnabled(bool enabled) = 0;
  virtual void ShowBusyMeter(int percent) = 0;
  virtual void HideBusyMeter() = 0;
  // Re-asserts the stacking of the kiosk's always-on-top windows.
  virtual void RaiseTopmostWindows() = 0;
  // Asks the visitor whether a page's new window should replace the current page, and
  // returns at once: `answered` is told once, later, from the event loop: true for
  // "Transfer Control", false for "Remove New Window" (chosen, unanswered, or closed by
  // the kiosk); never once the windows have closed. False when a question is up already:
  // this new window is removed.
  virtual bool AskTransferNewWindow(std::function<void(bool transfer)> answered) = 0;
  // Closes that question, if it is open, with "Remove New Window".
  virtual void CloseNewWindowQuestion() = 0;
};

}  // namespace tw
