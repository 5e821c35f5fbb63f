#include "kiosk/browser/browser_loop.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "common/texts/ascii_case.h"
#include "common/addresses/command_url.h"
#include "common/texts/log_texts.h"
#include "kiosk/browser/browser_dialog_rules.h"

namespace tw {

BrowserLoop::BrowserLoop(BrowserLoopServices kiosk, BrowserEngine& engine, BrowserFrame& frame,
                         CommandInterpreter& commands)
    : kiosk_(std::move(kiosk)),
      engine_(engine),
      frame_(frame),
      commands_(commands),
      navigation_({config().allowed_protocols, config().mail_to, kiosk_.paths.program_dir, config().allowed_folders}) {}

int BrowserLoop::BusyMeterValue(int step) {
  const double degrees = step / 2;
  return static_cast<int>(std::abs(std::trunc(std::cos(degrees * std::numbers::pi / 180.0) * 100.0)));
}

std::string BrowserLoop::EngineFormOfCommand(const std::string& url) {
  const auto colon = url.find(':');
  if (colon == std::string::npos || AsciiUpper(url.substr(0, colon)) != "TW-COMMAND") return url;
  return "http:" + url.substr(colon + 1);
}

void BrowserLoop::BrowserStarted() {
  kiosk_.requests.Guarded([this] {
    frame_.PlaceBrowserWindow(kiosk_.keyboard.PlaceBrowser(frame_.CurrentPanelSizes()));
    kiosk_.status.SetReady();
    // Whatever was queued for a browser that has gone is dropped: a new one begins at the
    // start page.
    while (kiosk_.navigation.Take()) {
    }
    kiosk_.requests.GoToURL(config().start_url, NavigationReason::kInitialStart);
    frame_.ShowBrowserWindow();
  });
}

bool BrowserLoop::Pass() {
  if (kiosk_.exit_requested()) return false;
  if (kiosk_.status.ready) {
    // One URL per pass, so each page change is a separate step the visitor can see; a
    // page waiting to be tried again after an outage counts as one.
    if (const auto url = kiosk_.navigation.Take()) {
      NavigateQueued(*url);
    } else if (const auto retry = offline_.TakeDueRetry(kiosk_.clock.Now())) {
      KioskNavigate(*retry);
    }
  }
  if (kiosk_.status.ready && !protocol_requests_.empty()) {
    const std::string url = std::move(protocol_requests_.front());
    protocol_requests_.pop_front();
    kiosk_.requests.Guarded([&] { commands_.ExternalRequest(url); });
  }
  ReportRefusedDialogs();
  UpdateBusyMeter();
  // The controller's own steps: the log's action time, the log mail, the marker files.
  const bool go_on = kiosk_.run_kiosk_pass();
  frame_.RaiseTopmostWindows();
  return go_on;
}

bool BrowserLoop::WantsPassSoon() const {
  if (kiosk_.status.ready && (!kiosk_.navigation.empty() || !protocol_requests_.empty())) {
    return true;
  }
  return (busy_ && config().show_busy_bar) || busy_step_ != 0;
}

bool BrowserLoop::TimedWorkDue() const {
  const LocalTime now = kiosk_.clock.Now();
  return (kiosk_.status.ready && offline_.RetryIsDue(now)) || dialogs_.RefusedReportDue(now.seconds()) ||
         engine_refusals_.RefusedReportDue(now.seconds());
}

void BrowserLoop::NavigateQueued(const std::string& queued) {
  const std::string url = engine_.Traits().hands_over_kept_protocols ? queued : EngineFormOfCommand(queued);
  // A queued command ("http:" + command, without "//") would reach before-navigate only
  // after the engine had turned it into an ordinary address ("http://start/?"), which no
  // longer reads as a command. It is offered to before-navigate as it is; so is any other
  // address that is not for the web (a command as the external browser queues it), which
  // a browser handed it directly might pass to another program.
  const bool shown_by_browser = url.starts_with("http://") || url.starts_with("https://") || url.starts_with("file:") ||
                                url.starts_with("about:");
  if (!shown_by_browser) {
    bool cancel = false;
    BeforeNavigate(url, true, cancel);
    if (cancel) return;
  } else if (!Admitted(url, true)) {
    return;
  }
  offline_.KioskNavigation(url);
  engine_.Navigate(url);
}

bool BrowserLoop::Admitted(const std::string& url, bool main_frame) {
  const NavigationVerdict verdict = navigation_.Check(url, main_frame);
  if (verdict == NavigationVerdict::kRefuse) LogBlocked(NavigationPolicy::Normalized(url));
  return verdict == NavigationVerdict::kAllow;
}

void BrowserLoop::KioskNavigate(const std::string& url) {
  if (Admitted(url, true)) engine_.Navigate(url);
}

void BrowserLoop::UpdateBusyMeter() {
  if (busy_ && config().show_busy_bar) {
    frame_.ShowBusyMeter(BusyMeterValue(busy_step_));
    ++busy_step_;
  } else {
    frame_.HideBusyMeter();
    busy_step_ = 0;
  }
}

void BrowserLoop::BeforeNavigate(const std::string& url, bool main_frame, bool& cancel) {
  // With debug logging on, every navigation of the page and its frames is traced.
  if (config().debug) kiosk_.requests.WriteLog(log_text::kBeforeNavigate + url);
  if (engine_.Traits().hands_over_kept_protocols) {
    // The protocols the kiosk keeps from such a browser are handed over and dealt with on
    // the next pass; command words in other addresses are no commands there.
    if (HandedToKiosk(url)) {
      cancel = true;
      QueueProtocolRequest(url);
      return;
    }
  } else {
    // A command that fails (a feedback file that cannot be written) is reported; the
    // navigation stays cancelled.
    kiosk_.requests.Guarded([&] { commands_.BeforeNavigate(url, cancel); });
    if (cancel) return;
  }
  // Whatever the block list left through: only what the engine shows itself, never a URL
  // for another program, never one of the browser's own pages.
  if (!Admitted(url, main_frame)) cancel = true;
}

bool BrowserLoop::QueueProtocolRequest(const std::string& url) {
  if (!engine_.Traits().hands_over_kept_protocols) return false;
  protocol_requests_.push_back(url);
  kiosk_.pass_due();
  return true;
}

bool BrowserLoop::HandedToKiosk(const std::string& url) const {
  const KioskConfig& config = kiosk_.settings.kiosk;
  const std::string protocol = AsciiUpper(SplitCommandURL(url).protocol);
  if (protocol == "MAILTO" && config.mail_to) return true;
  return std::any_of(config.block_list.begin(), config.block_list.end(),
                     [&](const std::string& blocked) { return AsciiUpper(blocked) == protocol; });
}

void BrowserLoop::LogBlocked(const std::string& url) {
  if (!config().log_switches.log_protocol) return;
  const CommandURL parts = SplitCommandURL(url);
  kiosk_.requests.WriteLog(log_text::kBlocked + parts.protocol + " Protocol - " + parts.rest);
}

void BrowserLoop::NavigationRefused(const std::string& url) {
  // Every picture of a page can be refused like this: a few lines, then a count.
  if (engine_refusals_.Admit(kiosk_.clock.Now().seconds())) LogBlocked(url);
}

void BrowserLoop::NavigateComplete(const std::string& url) {
  current_url_ = url;
  if (config().log_switches.log_loaded_urls) kiosk_.requests.WriteLog(log_text::kPageLoaded + url);
  if (on_first_load_) std::exchange(on_first_load_, nullptr)();
  const std::string back = offline_.Loaded(url);
  if (!back.empty()) kiosk_.requests.WriteLog(back);
}

void BrowserLoop::NavigateError(const std::string&, const std::string& error) {
  const OfflineRetry::Failure failure = offline_.Failed(error, kiosk_.clock.Now());
  if (!failure.log_line.empty()) kiosk_.requests.WriteLog(failure.log_line);
  if (failure.show_offline_page) {
    engine_.ShowOfflinePage();
    // The kiosk is up with its offline page: for whoever waits for the first page, too.
    if (on_first_load_) std::exchange(on_first_load_, nullptr)();
  }
}

void BrowserLoop::PageCrashed(const std::string& url, const std::string& reason) {
  kiosk_.requests.WriteLog(log_text::kBrowserPageCrashed + url + " - " + reason);
  const std::string& start = config().start_url;
  if (crashes_.Admit(kiosk_.clock.Now().seconds())) {
    kiosk_.requests.GoToURL(start, NavigationReason::kRecovery);
    return;
  }
  // A page that keeps crashing (the start page itself, perhaps) is not loaded again at
  // once: the offline page shows and the start page is tried again later.
  offline_.KioskNavigation(start);
  NavigateError(start, "the page crashed " + std::to_string(kCrashesPerWindow + 1) + " times within " +
                           std::to_string(kCrashWindow) + " seconds");
}

void BrowserLoop::NewWindow(const std::string& url, bool& cancel) {
  // There is only ever one browser window: the new one becomes this one's page or nothing.
  cancel = true;
  switch (config().new_browser) {
    case 0: TransferNewWindow(url); break;
    case 1: break;
    default:
      // The question is the visitor's; the page goes on meanwhile, and whatever happens to
      // it (or to the browser) before the answer, the answer is a page change like any other.
      frame_.AskTransferNewWindow([this, url](bool transfer) {
        if (transfer) kiosk_.requests.Guarded([&] { TransferNewWindow(url); });
      });
      break;
  }
}

void BrowserLoop::BrowserPageShown(const std::string& url) {
  LogBlocked(url);
  kiosk_.requests.GoToURL(config().start_url, NavigationReason::kRecovery);
}

void BrowserLoop::TransferNewWindow(const std::string& url) {
  // An empty new window (or the engine's own mark of a refused address, about:blank#blocked)
  // would only empty the page the visitor is on.
  if (NavigationPolicy::SchemeOf(NavigationPolicy::Normalized(url)) == "about") {
    LogBlocked(NavigationPolicy::Normalized(url));
    return;
  }
  // A web page cannot open a local file in its own window, nor in a new one.
  if (NavigationPolicy::SchemeOf(NavigationPolicy::Normalized(url)) == "file" &&
      NavigationPolicy::SchemeOf(current_url_) != "file") {
    LogBlocked(NavigationPolicy::Normalized(url));
    return;
  }
  KioskNavigate(url);
}

void BrowserLoop::DownloadBegin() {
  busy_ = true;
  frame_.SetStopEnabled(true);
  // The busy meter moves from the next pass on.
  kiosk_.pass_due();
}

void BrowserLoop::DownloadComplete() {
  busy_ = false;
  frame_.SetStopEnabled(false);
  kiosk_.pass_due();
}

void BrowserLoop::CommandStateChange(BrowserCommand command, bool enable) {
  switch (command) {
    case BrowserCommand::kForward: frame_.SetForwardEnabled(enable); break;
    case BrowserCommand::kBack: frame_.SetBackEnabled(enable); break;
  }
}

void BrowserLoop::PrintFailed() {
  // The visitor is told in the kiosk's own dialog, in the language file's words.
  kiosk_.requests.ReportError(kiosk_.settings.language.print_failed);
}

void BrowserLoop::ReportRefusedDialogs() {
  const std::int64_t now = kiosk_.clock.Now().seconds();
  if (const auto refused = dialogs_.TakeRefused(now)) {
    kiosk_.requests.WriteLog(log_text::kTooManyDialogBoxes + std::to_string(*refused) + " more canceled");
  }
  if (const auto refused = engine_refusals_.TakeRefused(now)) {
    kiosk_.requests.WriteLog(log_text::kTooManyBlockedAddresses + std::to_string(*refused) + " more refused");
  }
}

BrowserDialogAnswer BrowserLoop::BrowserDialog(BrowserDialogKind kind, const std::string& text) {
  ReportRefusedDialogs();
  const bool within_budget = dialogs_.Admit(kiosk_.clock.Now().seconds());
  if (kind == BrowserDialogKind::kLeavePage) {
    // The kiosk's own change of page always wins over a page that would rather stay.
    if (within_budget) {
      kiosk_.requests.WriteLog(log_text::kLeavePageAnswered);
      kiosk_.requests.WriteLog(log_text::kDialogMessage + text);
    }
    return BrowserDialogAnswer::kOk;
  }
  // A page that raises dialog boxes without end gets them answered unseen and counted;
  // it can neither flood the log nor keep the visitor behind one box after another.
  if (!within_budget) return BrowserDialogAnswer::kCancel;
  switch (kind) {
    case BrowserDialogKind::kCertificateError:
      // Never accepted on the visitor's behalf.
      kiosk_.requests.WriteLog(log_text::kCertificateErrorRefused + text);
      return BrowserDialogAnswer::kCancel;
    case BrowserDialogKind::kPermissionRequest:
      kiosk_.requests.WriteLog(log_text::kPermissionRefused + text);
      return BrowserDialogAnswer::kCancel;
    case BrowserDialogKind::kFullScreenRequest:
      kiosk_.requests.WriteLog(log_text::kFullScreenRefused + text);
      return BrowserDialogAnswer::kCancel;
    default: break;
  }
  const DialogDecision d = EmbeddedDialogRule(DialogTitleFor(kind), text, config().child_strings);
  for (const std::string& line : d.log_lines) kiosk_.requests.WriteLog(line);
  switch (d.button) {
    case DialogButton::kNone: return BrowserDialogAnswer::kShowVisitor;
    case DialogButton::kOk: return BrowserDialogAnswer::kOk;
    case DialogButton::kCancel:
    case DialogButton::kNo: return BrowserDialogAnswer::kCancel;
  }
  return BrowserDialogAnswer::kCancel;
}

}  // namespace tw
