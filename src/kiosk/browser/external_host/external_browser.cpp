#include "kiosk/browser/external_host/external_browser.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <QPrinterInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <variant>

#include "common/texts/log_texts.h"
#include "devtools/browser_command_line.h"
#include "devtools/child_process.h"
#include "devtools/pipe_channel.h"
#include "kiosk/browser/external/browser_window_rule.h"
#include "kiosk/browser/external/external_browser_page.h"
#include "platform/x11qt/x11_process_windows.h"

namespace tw {
namespace {

using nlohmann::json;
using namespace std::chrono_literals;

constexpr auto kCallLimit = 10s;
constexpr auto kProbeLimit = 5s;
constexpr std::chrono::milliseconds kStopGrace = 3s;
// A page target may appear a moment after the browser first answers.
constexpr int kFindPageRetryMs = 250;
// How long after a print the browser's other windows are given their grace.
constexpr std::chrono::seconds kPrintWindowsGrace{15};

std::string OfflinePageHtml(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  if (!text.str().empty()) return text.str();
  return "<html><body style=\"font:20px sans-serif;text-align:center;padding-top:3em\">"
         "This page is not available at the moment.</body></html>";
}

}  // namespace

ExternalBrowser::ExternalBrowser(BrowserEvents& events, ExternalBrowserOptions options, Owner owner)
    : events_(events), options_(std::move(options)), owner_(std::move(owner)) {
  deadline_timer_.setSingleShot(true);
  connect(&deadline_timer_, &QTimer::timeout, this, [this] {
    if (channel_) channel_->Connection().ExpireCalls(DevToolsConnection::Clock::now());
    Sync();
  });
  handshake_timer_.setSingleShot(true);
  handshake_timer_.setInterval(kHandshakeMs);
  connect(&handshake_timer_, &QTimer::timeout, this, [this] { StartFailed("Browser not found"); });
  start_timer_.setSingleShot(true);
  connect(&start_timer_, &QTimer::timeout, this, [this] { StartProcess(); });
  x_windows_ = std::make_unique<X11ProcessWindows>();
  probe_timer_.setInterval(kProbeIntervalMs);
  connect(&probe_timer_, &QTimer::timeout, this, [this] { Probe(); });
}

ExternalBrowser::~ExternalBrowser() { Close(); }

void ExternalBrowser::StartProcess() {
  EndProcess("");
  ++generation_;
  std::error_code error;
  std::filesystem::remove_all(options_.profile_dir, error);
  std::filesystem::create_directories(options_.profile_dir + "/home", error);
  // The browser runs only with every guard of the kiosk's in place: without the helpers
  // it could hand an address to another program, without its preferences show its own
  // viewers. Should one be missing, it is not started at all.
  if (error)
    return ProtectionFailed("the browser's profile " + options_.profile_dir + " cannot be made: " + error.message());
  if (!WriteBrowserHelpers(options_.profile_dir)) {
    return ProtectionFailed("the browser's helpers cannot be written in " + options_.profile_dir + "/bin");
  }
  if (!WriteBrowserPreferences(options_.profile_dir)) {
    return ProtectionFailed("the browser's preferences cannot be written in " + options_.profile_dir + "/Default");
  }
  temp_dir_ = MakeBrowserTempDir();
  if (temp_dir_.empty()) return ProtectionFailed("no private folder for the browser's sockets could be made");
  BrowserStart start{options_.file_name, options_.profile_dir, temp_dir_, false};
  const std::vector<std::string> argv = BrowserArguments(start);
  errors_.Clear();
  const auto started = argv.empty() ? std::variant<PipedChild, int>(ENOENT)
                                    : StartWithControlPipes(argv, BrowserEnvironment(start), true, true);
  if (const int* failure = std::get_if<int>(&started)) {
    Log(log_text::kUnableToCreateProcess + std::to_string(*failure));
    // A program that is not there, or may not be run, will not be there on the next try.
    if (*failure == ENOENT || *failure == EACCES || *failure == ENOEXEC) {
      ScheduleStart(std::nullopt,
                    "the browser program " + (argv.empty() ? std::string("(none)") : argv[0]) + " cannot be run");
      return;
    }
    ScheduleStart(restarts_.StartFailed(), "the browser could not be started");
    return;
  }
  const PipedChild child = std::get<PipedChild>(started);
  pid_ = child.pid;
  errors_fd_ = child.errors;
  if (errors_fd_ >= 0) {
    error_notifier_ = std::make_unique<QSocketNotifier>(errors_fd_, QSocketNotifier::Read);
    connect(error_notifier_.get(), &QSocketNotifier::activated, this, [this] { ReadErrors(); });
  }
  channel_ = std::make_unique<PipeChannel>(child);
  page_ = std::make_unique<ExternalBrowserPage>(channel_->Connection(), events_);
  page_->SetOfflinePage(OfflinePageHtml(options_.offline_page));
  page_->SetPrinterCheck([] { return !QPrinterInfo::defaultPrinter().isNull(); });
  // The page's window closed (a key of the browser's own that slipped through, or the
  // page itself): a new one at once, which counts as no failure of the browser's.
  page_->OnPageClosed = [this] { RestartFor("Browser Window Closed"); };
  // A page that holds the kiosk's own change of page is ended with the browser: a new one
  // begins at the start page.
  page_->OnPageHeld = [this] { RestartFor("Page Held the Kiosk"); };
  read_notifier_ = std::make_unique<QSocketNotifier>(channel_->ReadFd(), QSocketNotifier::Read);
  connect(read_notifier_.get(), &QSocketNotifier::activated, this, [this] {
    channel_->OnReadable();
    if (!channel_->Open()) {
      ProcessLost("Browser Control Pipe Closed");
      return;
    }
    Sync();
  });
  write_notifier_ = std::make_unique<QSocketNotifier>(channel_->WriteFd(), QSocketNotifier::Write);
  write_notifier_->setEnabled(false);
  connect(write_notifier_.get(), &QSocketNotifier::activated, this, [this] {
    channel_->OnWritable();
    Sync();
  });
  // Readable once the process has ended, whatever ended it.
  process_fd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
  if (process_fd_ >= 0) {
    end_notifier_ = std::make_unique<QSocketNotifier>(process_fd_, QSocketNotifier::Read);
    connect(end_notifier_.get(), &QSocketNotifier::activated, this, [this] {
      end_notifier_->setEnabled(false);
      ProcessLost("Browser Process Ended");
    });
  }
  Log(log_text::kBrowserProcessStarted);
  x_windows_->Watch(pid_, [this](const std::vector<TopLevelWindow>& shown) { JudgeWindows(shown); });
  handshake_timer_.start();
  FindPage();
  Sync();
}

void ExternalBrowser::ReadErrors() {
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(errors_fd_, buffer, sizeof buffer);
    if (got > 0) {
      // Still the operator's to see where the kiosk's own output goes (the journal).
      [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, buffer, static_cast<std::size_t>(got));
      errors_.Add(std::string_view(buffer, static_cast<std::size_t>(got)));
      continue;
    }
    if (got == 0 || (errno != EINTR && errno != EAGAIN)) error_notifier_->setEnabled(false);
    if (got < 0 && errno == EINTR) continue;
    return;
  }
}

void ExternalBrowser::LogBrowserReason() {
  if (errors_fd_ >= 0) ReadErrors();
  const std::string reason = errors_.Reason();
  if (reason.empty() || reason == reason_logged_) return;
  reason_logged_ = reason;
  Log(log_text::kBrowserError + reason);
}

void ExternalBrowser::ProtectionFailed(const std::string& why) {
  EndProcess("");
  Log(log_text::kBrowserProtectionNotSetUp + why);
  ScheduleStart(std::nullopt, why);
}

void ExternalBrowser::FindPage() {
  const int generation = generation_;
  channel_->Connection().Call("Target.getTargets", json::object(), {}, kCallLimit,
                              [this, generation](const DevToolsReply& reply) {
                                if (generation != generation_) return;
                                if (!reply.ok) return StartFailed("Browser not answering - " + reply.error);
                                for (const auto& info : reply.result.value("targetInfos", json::array())) {
                                  if (info.is_object() && info.value("type", "") == "page") {
                                    return AttachPage(info.value("targetId", ""));
                                  }
                                }
                                // The window is still being made: asked again shortly, within
                                // the handshake's time limit.
                                QTimer::singleShot(kFindPageRetryMs, this, [this, generation] {
                                  if (generation == generation_ && channel_) {
                                    FindPage();
                                    Sync();
                                  }
                                });
                              });
}

void ExternalBrowser::AttachPage(const std::string& target_id) {
  const int generation = generation_;
  channel_->Connection().Call("Browser.getWindowForTarget", {{"targetId", target_id}}, {}, kCallLimit,
                              [this, generation, target_id](const DevToolsReply& reply) {
                                if (generation != generation_) return;
                                if (!reply.ok) return StartFailed("Browser window not found - " + reply.error);
                                window_id_ = reply.result.value("windowId", 0);
                                page_->Attach(target_id, [this, generation](bool ok, const std::string& error) {
                                  if (generation != generation_) return;
                                  if (!ok) return StartFailed("Page not under control - " + error);
                                  PageReady();
                                });
                              });
}

void ExternalBrowser::PageReady() {
  handshake_timer_.stop();
  ready_ = true;
  restarts_.Ready(BrowserRestarts::Clock::now());
  // Nothing is ever saved from a page: a download is refused and reported like a dialog.
  channel_->Connection().Call("Browser.setDownloadBehavior", {{"behavior", "deny"}, {"eventsEnabled", true}}, {},
                              kCallLimit, {});
  // No page is given the camera, the microphone, the visitor's position or the like: the
  // browser asks nobody.
  for (const char* name : {"geolocation", "notifications", "camera", "microphone", "midi", "clipboard-read",
                           "display-capture", "idle-detection", "local-fonts", "window-management", "storage-access"}) {
    channel_->Connection().Call("Browser.setPermission", {{"permission", {{"name", name}}}, {"setting", "denied"}}, {},
                                kCallLimit, {});
  }
  Log(log_text::kBrowserRunningProperly);
  // Loaded pages are reported over the control pipe, and every address for another
  // program is stopped in the page before the browser could hand it on.
  Log(log_text::kURLEchoRegistered);
  for (const std::string& protocol : options_.blocked_protocols) Log(protocol + " Protocol Registered");
  probe_failures_ = 0;
  probe_timer_.start();
  // The page's window is the browser's one big window at this point; whatever else it
  // shows from now on is judged as it appears.
  const std::vector<TopLevelWindow> shown = x_windows_->Windows(pid_);
  for (const TopLevelWindow& w : shown) {
    if (!w.override_redirect && w.width * w.height > 100) {
      main_window_ = w.id;
      break;
    }
  }
  // The browser's own menu is never a visitor's: with the right button blocked, the
  // button is taken from its window on the X server, where no page can give it back.
  if (options_.block_right_button && (main_window_ == kNoWindow || !x_windows_->BlockRightButton(main_window_))) {
    return ProtectionFailed("the right mouse button cannot be taken from the browser's window");
  }
  JudgeWindows(shown);
  events_.BrowserStarted();
  ApplyBounds();
  Sync();
}

void ExternalBrowser::ApplyBounds() {
  if (!ready_ || window_id_ == 0 || !placed_) return;
  // Hidden, the window waits beyond the screen's edge: the page stays alive, and nothing
  // depends on a window manager to minimize it.
  const Rect r = shown_ ? place_ : Rect{-place_.width - 1000, -place_.height - 1000, place_.width, place_.height};
  json bounds = {{"left", r.left},
                 {"top", r.top},
                 {"width", std::max(r.width, 1)},
                 {"height", std::max(r.height, 1)},
                 {"windowState", "normal"}};
  channel_->Connection().Call("Browser.setWindowBounds", {{"windowId", window_id_}, {"bounds", bounds}}, {}, kCallLimit,
                              {});
  Sync();
}

void ExternalBrowser::JudgeWindows(const std::vector<TopLevelWindow>& shown) {
  // Any other window of the browser's goes as soon as it shows, but for a moment after
  // the kiosk printed: kiosk printing may show its preview briefly.
  const bool printing = page_ && std::chrono::steady_clock::now() - page_->LastPrint() < kPrintWindowsGrace;
  for (const TopLevelWindow& window : shown) {
    const BrowserWindowDecision decision =
        DecideBrowserWindow(main_window_, window, printing ? kBrowserWindowGrace : std::chrono::milliseconds(0));
    if (!decision.close) continue;
    const int generation = generation_;
    const WindowHandle id = window.id;
    QTimer::singleShot(decision.grace, this, [this, generation, id, line = decision.log_line] {
      if (generation != generation_) return;
      const auto now = x_windows_->Inspect(id);
      if (!now || !now->viewable) return;
      Log(line);
      x_windows_->Close(id, std::chrono::seconds(5));
    });
  }
}

void ExternalBrowser::Probe() {
  if (!channel_ || probe_outstanding_) return;
  probe_outstanding_ = true;
  const int generation = generation_;
  channel_->Connection().Call("Browser.getVersion", json::object(), {}, kProbeLimit,
                              [this, generation](const DevToolsReply& reply) {
                                if (generation != generation_) return;
                                probe_outstanding_ = false;
                                probe_failures_ = reply.ok ? 0 : probe_failures_ + 1;
                                if (probe_failures_ >= kProbeFailuresBeforeStop) {
                                  ProcessLost("Browser not answering");
                                }
                              });
  Sync();
}

void ExternalBrowser::EndProcess(const std::string& why) {
  ++generation_;
  std::error_code ignored;
  if (!why.empty() && pid_ > 0) Log(log_text::kClosingProcess + why);
  handshake_timer_.stop();
  probe_timer_.stop();
  deadline_timer_.stop();
  if (x_windows_) x_windows_->Watch(0, nullptr);
  main_window_ = kNoWindow;
  read_notifier_.reset();
  write_notifier_.reset();
  end_notifier_.reset();
  page_.reset();
  channel_.reset();  // the browser reads the end of its pipe and begins to close itself
  if (pid_ > 0) {
    StopChild(pid_, kStopGrace);
    // Its helpers may outlive it for a moment, still writing into the profile that the
    // next start empties.
    EndProcessGroup(pid_, kStopGrace);
  }
  if (process_fd_ >= 0) ::close(process_fd_);
  process_fd_ = -1;
  pid_ = -1;
  error_notifier_.reset();
  if (errors_fd_ >= 0) ::close(errors_fd_);
  errors_fd_ = -1;
  if (!temp_dir_.empty()) std::filesystem::remove_all(temp_dir_, ignored);
  temp_dir_.clear();
  window_id_ = 0;
  ready_ = false;
  probe_outstanding_ = false;
  probe_failures_ = 0;
}

void ExternalBrowser::StartFailed(const std::string& why) {
  // Called from the connection's own handlers as well: the process is ended from the
  // event loop, once those have returned.
  const int generation = generation_;
  QTimer::singleShot(0, this, [this, generation, why] {
    if (generation != generation_) return;
    LogBrowserReason();
    EndProcess(why);
    if (owner_.lost) owner_.lost();
    ScheduleStart(restarts_.StartFailed(), why);
  });
}

void ExternalBrowser::ProcessLost(const std::string& why) {
  const int generation = generation_;
  QTimer::singleShot(0, this, [this, generation, why] {
    if (generation != generation_) return;
    const bool was_ready = ready_;
    if (!was_ready) LogBrowserReason();
    EndProcess(why);
    if (owner_.lost) owner_.lost();
    ScheduleStart(was_ready ? restarts_.Lost(BrowserRestarts::Clock::now()) : restarts_.StartFailed(), why);
  });
}

void ExternalBrowser::ScheduleStart(std::optional<std::chrono::seconds> delay, const std::string& why) {
  if (!delay) {
    // The process has been ended already, by every path that gets here.
    QTimer::singleShot(0, this, [this, why] {
      if (owner_.give_up) owner_.give_up(why);
    });
    return;
  }
  start_timer_.start(std::chrono::milliseconds(*delay));
}

void ExternalBrowser::Sync() {
  if (!channel_) return;
  if (write_notifier_) write_notifier_->setEnabled(channel_->WantsWrite());
  const auto deadline = channel_->Connection().NextDeadline();
  if (!deadline) {
    deadline_timer_.stop();
    return;
  }
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*deadline - DevToolsConnection::Clock::now());
  deadline_timer_.start(std::max(wait, std::chrono::milliseconds(0)));
}

void ExternalBrowser::OnPage(const std::function<void(ExternalBrowserPage&)>& action) {
  if (!ready_) return;
  action(*page_);
  Sync();
}

void ExternalBrowser::Navigate(const std::string& url) {
  OnPage([&url](ExternalBrowserPage& page) { page.Navigate(url); });
}

void ExternalBrowser::RunOnPage(PageOperation operation) {
  if (!ready_ && operation == PageOperation::kPrint) {
    events_.PrintFailed();
    return;
  }
  OnPage([operation](ExternalBrowserPage& page) { page.RunOnPage(operation); });
}

void ExternalBrowser::ShowOfflinePage() {
  OnPage([](ExternalBrowserPage& page) { page.ShowOfflinePage(); });
}

void ExternalBrowser::ScrollFocusedPage(std::optional<ScrollDirection> direction, PageScrollAnswers& answers) {
  OnPage([&](ExternalBrowserPage& page) { page.ScrollFocusedPage(direction, answers); });
}

bool ExternalBrowser::ScrollPending() const { return page_ && page_->ScrollPending(); }

void ExternalBrowser::TakeFocus() {
  if (!ready_) return;
  // The keys of the on-screen keyboard go where the X server's focus is.
  if (main_window_ != kNoWindow) x_windows_->Focus(main_window_);
  page_->Focus();
  Sync();
}

void ExternalBrowser::BringToFront() { TakeFocus(); }

void ExternalBrowser::EndVisitorSession() { RestartFor("New Visitor Session"); }

bool ExternalBrowser::Restart() {
  RestartFor("Close Command");
  return true;
}

void ExternalBrowser::RestartFor(const std::string& why) {
  if (pid_ <= 0) return;
  // Started again at once; this is no failure of the browser's. From the event loop, as
  // the request may come from within one of the browser's own events.
  const int generation = generation_;
  QTimer::singleShot(0, this, [this, generation, why] {
    if (generation != generation_) return;
    EndProcess(why);
    if (owner_.lost) owner_.lost();
    StartProcess();
  });
}

void ExternalBrowser::Place(const Rect& screen_rect) {
  place_ = screen_rect;
  placed_ = true;
  ApplyBounds();
}

void ExternalBrowser::Show() {
  shown_ = true;
  ApplyBounds();
}

void ExternalBrowser::Hide() {
  shown_ = false;
  ApplyBounds();
}

void ExternalBrowser::Close() {
  start_timer_.stop();
  EndProcess("");
  std::error_code ignored;
  if (!options_.profile_dir.empty()) std::filesystem::remove_all(options_.profile_dir, ignored);
}

void ExternalBrowser::CloseVisitorDialogs() {
  OnPage([](ExternalBrowserPage& page) { page.CloseDialogs(); });
}

}  // namespace tw
