// The kiosk's controller: its configuration, shared state and operations. Windows,
// timers and the browser call into it; it reaches them only through narrow interfaces.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/config/setting_errors.h"
#include "kiosk/core/attract/activity_timer.h"
#include "kiosk/core/browser_status.h"
#include "kiosk/core/commands/exit_password.h"
#include "kiosk/core/commands/navigation_queue.h"
#include "kiosk/core/commands/navigation_reason.h"
#include "kiosk/core/frame/browser_placement.h"
#include "kiosk/core/frame/keyboard_frame.h"
#include "kiosk/core/kiosk_hooks.h"
#include "kiosk/core/kiosk_paths.h"
#include "kiosk/core/kiosk_requests.h"
#include "kiosk/core/log/activity_log.h"
#include "kiosk/core/log/log_mail_outbox.h"
#include "kiosk/core/settings/kiosk_config.h"
#include "kiosk/core/settings/kiosk_settings.h"
#include "platform/clock.h"
#include "platform/system_journal.h"

namespace tw {

inline constexpr char kVersionLine[] = "Version 2.1d 16 June 1998";

// Milliseconds at least between two passes of the browser main loop: often enough for a
// smooth busy meter and prompt page changes. Passes run only while something is due (a
// queued URL, a page loading, a marker file changed, the log's action time); an idle
// kiosk runs none.
inline constexpr int kMainLoopPassInterval = 20;

class KioskController : public KioskRequests {
 public:
  KioskController(std::string program_dir, const Clock& clock, KioskHooks& hooks);
  ~KioskController() override;

  // Start-up: reads Tarnwick.ini and TWLang.ini (once, for every part of the kiosk),
  // computes the screen scale for this screen width, creates the folders, opens the log
  // and reports any configuration error there.
  void Create(int screen_width);

  // Settings that could not be read, from any reader: each is logged the first time it
  // is reported. Those reported during start-up are shown to the visitor together, once,
  // on the first tick (every window, the error dialog too, exists by then); a later new
  // one is shown at once.
  void ReportSettingErrors(const SettingErrors& errors);

  // The browser-neutral page change: logs by reason and queues the URL for the browser.
  void GoToURL(const std::string& url, NavigationReason reason) override;
  void WriteLog(std::string_view text) override;

  // Enters the browser main loop (once) and shows the start-up setting errors: as soon as
  // the windows exist, or on the first tick at the latest.
  void EnterLoop();
  // The one-second tick: enters the browser main loop if that has not happened yet, then
  // counts idle time and runs the attract modes.
  void SecondTick();
  // The controller's steps of a main-loop pass (the browser's loop runs them): the log's
  // action time, a pending log mail, the marker files. False once quit has been requested.
  bool RunPass();
  // A composed log mail is to be sent (or tried again) on the next pass.
  bool LogMailDue() const;

  void RequestExit() override;
  // Something the browser's main loop handles has happened outside it (a page began or
  // ended loading): a pass should run soon.
  void PassDue() { hooks_.PassDue(); }
  bool exit_requested() const { return exit_requested_; }
  bool loop_running() const { return loop_running_; }
  BrowserStatus& browser_status() { return browser_status_; }
  // The external browser cannot be run (`why`): the embedded browser is used from now on.
  void UseEmbeddedBrowser(const std::string& why);
  // Every tagged button reports its press here (tag 1 = the clock ... 26 = the Keyboard
  // button, the letter's code minus 64); the full exit password ends the kiosk.
  void CheckExitPassword(int tag) override;
  // Shutdown: the last log line, the log closed, the desktop given back.
  void Shutdown();
  // Written to the log and shown to whoever is in front of the kiosk; the kiosk goes on.
  void ReportError(const std::string& text) override;
  // Runs one unit of work (a tick, a pass, an event) so that no exception leaves it.
  void Guarded(const std::function<void()>& work) override;

  const KioskPaths& paths() const { return paths_; }
  // Takes a browser's own shortcuts from the visitor at the X server; false when some
  // could not be taken (another program holds them). Given back at shutdown and when the
  // embedded browser takes over.
  bool LockBrowserKeys();
  const KioskSettings& settings() const { return settings_; }
  double screen_scale() const { return screen_scale_; }
  // The frame as the on-screen keyboard leaves it (exists from Create on).
  KeyboardFrame& keyboard() { return *keyboard_; }
  ActivityLog& log() { return *log_; }
  ActivityTimer& activity() { return activity_; }
  // The daily log mail; the kiosk gives it its sender once it has one.
  LogMailOutbox& log_mail() { return log_mail_; }
  // The pages asked for (GoToURL), for the browser's main loop to take.
  NavigationQueue& navigation() { return navigation_; }

 private:
  void CreateDirectories();
  void ShowSettingErrors();

  const Clock& clock_;
  KioskHooks& hooks_;
  KioskPaths paths_;
  KioskSettings settings_;
  double screen_scale_ = 1.0;
  std::optional<KeyboardFrame> keyboard_;
  bool loop_running_ = false;
  BrowserStatus browser_status_;
  bool exit_requested_ = false;
  ExitPassword exit_password_;
  LogMailOutbox log_mail_;
  std::unique_ptr<ActivityLog> log_;
  // The log's lines also go to the system journal, where there is one.
  std::unique_ptr<SystemJournal> journal_;
  NavigationQueue navigation_;
  ActivityTimer activity_{*this, exit_password_};
  bool closed_ = false;
  std::vector<SettingError> setting_errors_;  // every one reported so far
  std::vector<SettingError> setting_errors_unshown_;
  bool setting_errors_shown_ = false;  // the start-up ones have been shown
};

// The browser the kiosk runs with: the configured engine when there is one and it can
// run; otherwise the fallback engine, with the log line that says why.
struct BrowserChoice {
  int engine = kFallbackBrowserEngine;
  std::string reason;  // empty when the configured engine is used
};
BrowserChoice ChooseBrowser(int configured, const std::function<bool(int engine)>& can_run);

}  // namespace tw
