// The kiosk's controller: its configuration, shared state and operations. Windows,
// timers and the browser call into it; it reaches them only through narrow interfaces.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/setting_errors.h"
#include "kiosk/core/activity_log.h"
#include "kiosk/core/activity_timer.h"
#include "kiosk/core/browser_placement.h"
#include "kiosk/core/kiosk_config.h"
#include "kiosk/core/kiosk_hooks.h"
#include "kiosk/core/log_mail.h"
#include "kiosk/core/log_mail_delivery.h"
#include "kiosk/core/navigation_reason.h"
#include "platform/clock.h"

namespace tw {

inline constexpr char kVersionLine[] = "Version 2.1d 16 June 1998";

// Milliseconds between two passes of the browser main loop: often enough for a smooth
// busy meter and prompt page changes, rarely enough that an idle kiosk costs next to no CPU.
inline constexpr int kMainLoopPassInterval = 20;

// Run-time flags and values shared by the kiosk's parts.
struct KioskState {
  bool started = false;           // the browser main loop has been entered
  bool loop_running = false;      // passes are being run
  bool browser_attached = false;  // the browser window exists and is under control
  bool browser_ready = false;     // URLs may be sent
  bool exit_requested = false;
  bool keyboard_shown = false;
  bool busy = false;
  bool caret_scroll_request = false;
  int password_position = 1;
  int idle_count = 0;
  int next_carousel_tick = 0;
  int carousel_index = 0;
};

class KioskController {
 public:
  KioskController(std::string program_dir, const Clock& clock, KioskHooks& hooks);
  ~KioskController();

  // Start-up: reads Tarnwick.ini, computes the screen scale for this screen width,
  // creates the folders, opens the log and reports any configuration error there.
  void Create(int screen_width);

  // Settings that could not be read, from any reader: each is logged the first time it
  // is reported. Those reported during start-up are shown to the visitor together, once,
  // on the first tick (every window, the error dialog too, exists by then); a later new
  // one is shown at once.
  void ReportSettingErrors(const SettingErrors& errors);

  // The browser-neutral page change: logs by reason and queues the URL for the browser.
  void GoToURL(const std::string& url, int reason);
  void WriteLog(std::string_view text);

  // The one-second tick: enters the browser main loop and shows the start-up setting
  // errors on the first tick, then counts idle time and runs the attract modes.
  void TimerTimer();
  // Activity (a key press, a mouse move): a new idle period begins.
  void ResetIdleCount() { activity_.ResetIdleCount(); }
  // One pass of the browser main loop; false once quit has been requested.
  bool RunPass();
  // Rolls the log over once its daily action time has passed.
  void CheckLogActionTime() { log_->CheckLogActionTime(); }
  // Sends a composed log mail once the browser is ready. A failed send is logged and
  // retried on later passes after a growing delay (see LogMailDelivery).
  void SendPendingLogMail();
  // The next queued URL for the browser, removed from the queue.
  std::optional<std::string> TakeQueuedURL();

  BrowserPlacement PlaceBrowser(const PanelSizes& panels) const;

  void RequestExit() { state_.exit_requested = true; }
  // Every tagged button reports its press here (tag 1 = the clock ... 26 = the Keyboard
  // button, the letter's code minus 64); the full exit password ends the kiosk.
  void CheckExitPassword(int tag);
  // Shutdown: the last log line, the log closed, the desktop given back.
  void FormClose();
  // An error that reached the application: shown as "Error - " + message; the kiosk goes on.
  void AppException(const std::string& message);
  // Runs one unit of work (a tick, a pass, an event) so that no exception leaves it.
  void Guarded(const std::function<void()>& work);

  LocalTime Now() const { return clock_.Now(); }
  const std::string& program_dir() const { return program_dir_; }
  std::string ProgramFile(std::string_view name) const { return program_dir_ + std::string(name); }
  const LogPaths& log_paths() const { return paths_; }
  const KioskConfig& config() const { return config_; }
  double screen_scale() const { return screen_scale_; }
  KioskState& state() { return state_; }
  const KioskState& state() const { return state_; }
  ActivityLog& log() { return *log_; }
  ActivityTimer& activity() { return activity_; }
  LogMail& log_mail() { return log_mail_; }
  const std::deque<std::string>& navigation_queue() const { return navigation_queue_; }
  void SetLogMailSender(LogMailSender* sender) { log_mail_sender_ = sender; }

 private:
  void CreateDirectories();
  void ShowSettingErrors();

  std::string program_dir_;
  const Clock& clock_;
  KioskHooks& hooks_;
  LogPaths paths_;
  KioskConfig config_;
  double screen_scale_ = 1.0;
  KioskState state_;
  LogMail log_mail_;
  std::unique_ptr<ActivityLog> log_;
  std::deque<std::string> navigation_queue_;
  LogMailSender* log_mail_sender_ = nullptr;
  LogMailDelivery log_mail_delivery_;
  ActivityTimer activity_{*this};
  bool closed_ = false;
  std::vector<SettingError> setting_errors_;  // every one reported so far
  std::vector<SettingError> setting_errors_unshown_;
  bool setting_errors_shown_ = false;  // the start-up ones have been shown
};

// The browser the kiosk runs with. The configured kind when it can be used; otherwise
// the embedded browser, with the log line that says why.
struct BrowserChoice {
  int kind = 1;
  std::string reason;  // empty when the configured kind is used
};
BrowserChoice ChooseBrowser(int configured_kind, bool external_available);

// "tw-command:x" becomes "http:x" for the embedded browser, which reports it back to the
// command interpreter; every other URL is queued as it is.
std::string QueuedFormOfURL(const std::string& url, int browser_kind);

}  // namespace tw
