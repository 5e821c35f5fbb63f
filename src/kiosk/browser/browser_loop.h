// The browser's side of the kiosk, whichever browser runs: the engine's event handlers
// and the main loop, run as one pass at a time whenever something is due. What differs
// between browsers it asks of the browser (BrowserTraits).
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "kiosk/browser/browser_engine.h"
#include "kiosk/browser/browser_frame.h"
#include "kiosk/browser/offline_retry.h"
#include "kiosk/browser/navigation_policy.h"
#include "kiosk/core/commands/command_interpreter.h"
#include "kiosk/core/browser_status.h"
#include "kiosk/core/commands/navigation_queue.h"
#include "kiosk/core/event_budget.h"
#include "kiosk/core/frame/keyboard_frame.h"
#include "kiosk/core/kiosk_paths.h"
#include "kiosk/core/kiosk_requests.h"
#include "kiosk/core/settings/kiosk_settings.h"
#include "platform/clock.h"

namespace tw {

// What the loop is given of the kiosk: the requests any part may make, the settings, the
// clock, and the state it drives (the browser's status, the pages asked for, where the
// browser goes beside the keyboard).
struct BrowserLoopServices {
  KioskRequests& requests;
  const KioskSettings& settings;
  const KioskPaths& paths;
  const Clock& clock;
  BrowserStatus& status;
  NavigationQueue& navigation;
  KeyboardFrame& keyboard;
  // The kiosk's own steps of a pass (the log, its mail, the marker files); false once
  // quit has been asked for.
  std::function<bool()> run_kiosk_pass;
  std::function<bool()> exit_requested;
  // A pass should run soon (a page began or ended loading).
  std::function<void()> pass_due;
};

class BrowserLoop : public BrowserEvents {
 public:
  // `commands`: the command interpreter and protocol filter every navigation passes.
  BrowserLoop(BrowserLoopServices kiosk, BrowserEngine& engine, BrowserFrame& frame, CommandInterpreter& commands);

  // One pass of the main loop (after the arrows' scroll step); false once quit has been
  // requested.
  bool Pass();
  // An address a browser handed over outside its page (another program's call-back);
  // dealt with on a later pass like those from the page. False, and nothing queued, for
  // a browser that hands nothing over.
  bool QueueProtocolRequest(const std::string& url);
  // "tw-command:x" as a browser that hands nothing over reports it to before-navigate:
  // "http:x"; every other address as it is.
  static std::string EngineFormOfCommand(const std::string& url);
  // True between the start and the end of a page's loading.
  bool busy() const { return busy_; }
  // Another pass is wanted at the pass interval: a URL waits in the queue, or the busy
  // meter moves (or has yet to be hidden).
  bool WantsPassSoon() const;
  // Work of a later second that is due now: a page to try again after an outage, refused
  // dialog boxes or addresses to count in the log.
  bool TimedWorkDue() const;

  // |trunc(cos((step div 2) degrees) x 100)|: from 100 down to 0 over 180 passes and back.
  static int BusyMeterValue(int step);
  int busy_step() const { return busy_step_; }

  // Dialog boxes a page may raise within kDialogWindow seconds before the rest are
  // answered unseen and counted; renderer crashes within kCrashWindow seconds before the
  // start page is no longer loaded at once.
  static constexpr int kDialogsPerWindow = 5;
  static constexpr int kDialogWindow = 10;
  static constexpr int kCrashesPerWindow = 3;
  static constexpr int kCrashWindow = 60;

  const OfflineRetry& offline() const { return offline_; }
  // Called once, when the first page has loaded: the end of the kiosk's start.
  void SetFirstLoadCallback(std::function<void()> callback) { on_first_load_ = std::move(callback); }

  // BrowserEvents. BrowserStarted places and shows the browser, marks it ready and queues
  // the start page; anything queued for a browser that has gone is dropped.
  void BrowserStarted() override;
  void BeforeNavigate(const std::string& url, bool main_frame, bool& cancel) override;
  void NavigateComplete(const std::string& url) override;
  void NavigateError(const std::string& url, const std::string& error) override;
  void NavigationRefused(const std::string& url) override;
  void PageCrashed(const std::string& url, const std::string& reason) override;
  void NewWindow(const std::string& url, bool& cancel) override;
  void BrowserPageShown(const std::string& url) override;
  void DownloadBegin() override;
  void DownloadComplete() override;
  void CommandStateChange(BrowserCommand command, bool enable) override;
  BrowserDialogAnswer BrowserDialog(BrowserDialogKind kind, const std::string& text) override;
  void BrowserNote(const std::string& line) override { kiosk_.requests.WriteLog(line); }
  void PrintFailed() override;
  void CloseKioskQuestions() override { frame_.CloseNewWindowQuestion(); }

 private:
  void NavigateQueued(const std::string& url);
  // The kiosk's own navigation (a queued page, a new window transferred, a page tried
  // again) passes the rule a page's own does before the engine sees it; a refusal is
  // logged with the block list's line.
  void KioskNavigate(const std::string& url);
  bool Admitted(const std::string& url, bool main_frame);
  void TransferNewWindow(const std::string& url);
  void UpdateBusyMeter();
  void ReportRefusedDialogs();
  void LogBlocked(const std::string& url);
  // An address of a protocol the kiosk keeps from a browser that hands them over.
  bool HandedToKiosk(const std::string& url) const;

  const KioskConfig& config() const { return kiosk_.settings.kiosk; }

  BrowserLoopServices kiosk_;
  BrowserEngine& engine_;
  BrowserFrame& frame_;
  CommandInterpreter& commands_;
  NavigationPolicy navigation_;
  // The page last loaded: a new window of a web page may not open a local file.
  std::string current_url_;
  OfflineRetry offline_;
  EventBudget dialogs_{kDialogsPerWindow, kDialogWindow};
  EventBudget engine_refusals_{kDialogsPerWindow, kDialogWindow};
  EventBudget crashes_{kCrashesPerWindow, kCrashWindow};
  // Addresses the external browser handed over, one dealt with per pass.
  std::deque<std::string> protocol_requests_;
  int busy_step_ = 0;
  bool busy_ = false;
  std::function<void()> on_first_load_;
};

}  // namespace tw
