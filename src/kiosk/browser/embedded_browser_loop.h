// The embedded browser's side of the kiosk: the engine's event handlers and the main
// loop, run as one pass at a time from a short repeating timer.
#pragma once

#include <functional>
#include <string>

#include "kiosk/browser/browser_engine.h"
#include "kiosk/browser/browser_frame.h"
#include "kiosk/core/kiosk_controller.h"

namespace tw {

class EmbeddedBrowserLoop : public BrowserEvents {
 public:
  EmbeddedBrowserLoop(KioskController& controller, BrowserEngine& engine, BrowserFrame& frame);

  // Places and shows the browser, marks it ready and queues the start page.
  void Start();
  // One pass of the main loop; false once quit has been requested.
  bool Pass();

  // Parts of the kiosk that plug into the loop: the command interpreter and protocol
  // filter (before every navigation), the scroll arrows (first step of each pass) and
  // the idle and active marker files (sixth step).
  std::function<void(const std::string& url, bool& cancel)> before_navigate_filter;
  std::function<void()> scroll_step;
  std::function<void()> check_marker_files;

  // |trunc(cos((step div 2) degrees) x 100)|: from 100 down to 0 over 180 passes and back.
  static int BusyMeterValue(int step);
  int busy_step() const { return busy_step_; }

  // BrowserEvents
  void BeforeNavigate(const std::string& url, bool& cancel) override;
  void NavigateComplete(const std::string& url) override;
  void NewWindow(const std::string& url, bool& cancel) override;
  void DownloadBegin() override;
  void DownloadComplete() override;
  void CommandStateChange(BrowserCommand command, bool enable) override;
  BrowserDialogAnswer BrowserDialog(BrowserDialogKind kind, const std::string& text) override;

 private:
  void NavigateQueued(const std::string& url);
  void UpdateBusyMeter();

  KioskController& controller_;
  BrowserEngine& engine_;
  BrowserFrame& frame_;
  int busy_step_ = 0;
};

}  // namespace tw
