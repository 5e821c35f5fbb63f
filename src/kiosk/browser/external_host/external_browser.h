// The external browser as the running kiosk sees it: a separate browser program, started
// with a throw-away profile and driven over its DevTools pipe from the kiosk's event loop
// (woken by the pipe, the process's end and the calls' time limits; nothing polls). Its one
// window shows the page alone and is fitted into the hole between the kiosk's panels.
//
// Lifecycle: started → page found and guarded (ready: the owner queues the start page) →
// lost (ended, or not answering: stopped) → started again, with growing delays while it
// keeps failing; after three failures in a row the owner is told to give it up.
#pragma once

#include <sys/types.h>

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kiosk/browser/browser_engine_entry.h"
#include "kiosk/browser/external/browser_error_lines.h"
#include "kiosk/browser/external/browser_restarts.h"
#include "platform/top_level_window.h"

class QSocketNotifier;

namespace tw {

class ExternalBrowserPage;
class PipeChannel;
class X11ProcessWindows;

struct ExternalBrowserOptions {
  std::string file_name;     // BROWSER/FileName: the program and any arguments of the operator's
  std::string profile_dir;   // emptied and made again at every start
  std::string offline_page;  // the kiosk's offline page (HTML file); a built-in one when missing
  // The schemes the kiosk keeps from the browser's own handling (for the start's log lines).
  std::vector<std::string> blocked_protocols;
  // PREFERENCES/BlockRightButton: the right button is taken from the browser's window.
  bool block_right_button = true;
};

class ExternalBrowser : public QObject, public KioskBrowser {
 public:
  using Owner = BrowserOwner;

  ExternalBrowser(BrowserEvents& events, ExternalBrowserOptions options, Owner owner);
  ~ExternalBrowser() override;

  bool Ready() const { return ready_; }
  pid_t Pid() const { return pid_; }

  // KioskBrowser: the program is started (again after a loss: see the lifecycle above);
  // BrowserStarted follows once its page is under control. Restart ends it for the
  // "CLOSE" command and starts it again at once.
  void Start() override { StartProcess(); }
  bool Restart() override;
  BrowserTraits Traits() const override { return {.hands_over_kept_protocols = true, .needs_key_lock = true}; }

  // BrowserEngine
  void Navigate(const std::string& url) override;
  // Carried out by the page while it is under control; a print asked for before that
  // fails at once (the visitor is told).
  void RunOnPage(PageOperation operation) override;
  void ShowOfflinePage() override;
  // PageScrolling
  void ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) override;
  bool ScrollPending() const override;
  // BrowserFocus
  void TakeFocus() override;
  void BringToFront() override;
  // VisitorSession: the whole browser is ended and started again with an empty profile,
  // so nothing of a visitor (cookies, storage, cache, history, log-ins) can remain.
  void EndVisitorSession() override;
  // KioskBrowser
  void Place(const Rect& screen_rect) override;
  void Show() override;
  void Hide() override;
  void Close() override;
  bool Shown() const override { return shown_; }
  bool Responsive() const override { return ready_ && probe_failures_ == 0; }
  void CloseVisitorDialogs() override;

  // How long a start may take to bring the page under control.
  static constexpr int kHandshakeMs = 20000;
  // The browser process is asked whether it answers this often, and is stopped as hung
  // after this many unanswered questions in a row (about a minute: a page that floods the
  // browser, such as one with thousands of frames on a loaded machine, can keep it busy
  // for half of that without being hung).
  static constexpr int kProbeIntervalMs = 10000;
  static constexpr int kProbeFailuresBeforeStop = 6;

 private:
  void StartProcess();
  // Ends the browser and starts it again at once; `why` is logged.
  void RestartFor(const std::string& why);
  // The browser's shown windows other than the page's are closed after a short grace.
  void JudgeWindows(const std::vector<TopLevelWindow>& shown);
  void FindPage();
  void AttachPage(const std::string& target_id);
  void PageReady();
  void ApplyBounds();
  void Probe();
  // Ends the process and forgets it; `why` is logged as "Closing Process - " + why.
  void EndProcess(const std::string& why);
  void StartFailed(const std::string& why);
  void ProcessLost(const std::string& why);
  // A protection could not be put in place: no page is ever shown in this browser.
  void ProtectionFailed(const std::string& why);
  // The browser's own words for a start that failed, once for each new reason.
  void LogBrowserReason();
  void ReadErrors();
  void ScheduleStart(std::optional<std::chrono::seconds> delay, const std::string& why);
  // After every call into the connection: the pipe's write side watched while bytes wait,
  // and the one timer set to the earliest call's time limit.
  void Sync();
  void Log(const std::string& line) {
    if (owner_.log) owner_.log(line);
  }
  // A call on the page while it is under control, and the pipe and timer brought up to date.
  void OnPage(const std::function<void(ExternalBrowserPage&)>& action);

  BrowserEvents& events_;
  ExternalBrowserOptions options_;
  Owner owner_;
  BrowserRestarts restarts_;
  pid_t pid_ = -1;
  std::unique_ptr<PipeChannel> channel_;
  std::unique_ptr<ExternalBrowserPage> page_;
  std::unique_ptr<QSocketNotifier> read_notifier_;
  std::unique_ptr<QSocketNotifier> write_notifier_;
  std::unique_ptr<QSocketNotifier> end_notifier_;
  std::unique_ptr<QSocketNotifier> error_notifier_;
  int process_fd_ = -1;
  int errors_fd_ = -1;
  BrowserErrorLines errors_;
  std::string reason_logged_;
  std::string temp_dir_;  // the browser's sockets and temporary files, made at each start
  QTimer deadline_timer_;
  QTimer handshake_timer_;
  QTimer start_timer_;
  QTimer probe_timer_;
  int window_id_ = 0;
  std::unique_ptr<X11ProcessWindows> x_windows_;
  WindowHandle main_window_ = kNoWindow;  // the page's window on the X display
  bool ready_ = false;
  bool shown_ = false;
  bool probe_outstanding_ = false;
  int probe_failures_ = 0;
  Rect place_{};
  bool placed_ = false;
  int generation_ = 0;  // a process's number: answers for an earlier one are ignored
};

}  // namespace tw
