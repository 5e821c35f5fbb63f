// The running kiosk's parts that exist once the settings are read: the windows, the
// browser's main loop, command URLs, listed programs, the input lock-down and the topics
// for other programs.
#pragma once

#include <memory>

#include "kiosk/app/kiosk_windows.h"
#include "kiosk/app/qt_process_runner.h"
#include "kiosk/browser/browser_parts.h"
#include "kiosk/browser/browser_loop.h"
#include "kiosk/browser/switchable_browser.h"
#include "kiosk/panels/splash_window.h"
#include "kiosk/core/commands/command_interpreter.h"
#include "kiosk/core/commands/program_launcher.h"

namespace tw {

class KioskDbusService;
class KioskInputFilter;

class KioskParts {
 public:
  KioskParts(KioskController& controller, const Clock& clock, KeyboardPlatform platform, KioskWindows::Hooks hooks);
  ~KioskParts();

  // Starts the browser: its window placed and shown, the start page queued (the external
  // browser: once its program has started and its page is under control).
  void StartBrowser();
  // Also readies what only an idle kiosk needs (the attract video), once the first page is in.
  void SetFirstLoadCallback(std::function<void()> callback);
  // One pass of the main loop: the arrows' scroll step, then the loop's own steps.
  bool Pass();
  // Another pass is wanted at the pass interval (a URL waits, a page loads, an arrow
  // scrolls).
  bool WantsPassSoon() const;
  // Work of a later second that is due now (a page to try again, a log mail to send).
  bool TimedWorkDue() const;
  // Ends a listed program that still runs, with its log lines.
  void EndRunningProgram();
  void CloseWindows() { windows_.Close(); }
  bool BrowserResponsive() const { return browser_ && browser_->Responsive(); }
  KioskWindows& windows() { return windows_; }

 private:
  std::unique_ptr<KioskBrowser> MakeBrowser(int engine);
  // The browser chosen cannot be run: the embedded one takes over.
  void UseEmbeddedBrowser(const std::string& why);

  KioskController& controller_;
  QtProcessRunner runner_;
  ProgramLauncher launcher_;
  CommandInterpreter interpreter_;
  std::unique_ptr<SplashWindow> splash_;
  // The browser hands its events to the loop, made right after it (nothing is asked of
  // the browser before it starts); the loop drives the browser and the windows around it.
  std::unique_ptr<SwitchableBrowser> browser_;
  BrowserLoop loop_;
  KioskWindows windows_;
  std::unique_ptr<KioskInputFilter> input_filter_;
  std::unique_ptr<KioskDbusService> dbus_;
  bool was_busy_ = false;
};

}  // namespace tw
