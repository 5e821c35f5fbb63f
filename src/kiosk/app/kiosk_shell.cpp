#include "kiosk/app/kiosk_shell.h"

#include <QApplication>
#include <QScreen>
#include <QDateTime>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "common/texts/log_texts.h"
#include "kiosk/app/kiosk_parts.h"
#include "kiosk/app/stacking_watcher.h"
#include "kiosk/browser/browser_engine_entry.h"
#include "kiosk/core/log/smtp_log_mail_sender.h"
#include "common/geometry/touch_target.h"
#include "platform/x11qt/x11_desktop_lock.h"
#include "platform/x11qt/x11_global_key.h"
#include "platform/x11qt/x11_keyboard_platform.h"

namespace tw {

KioskShell::KioskShell(std::string program_dir, QObject* parent)
    : QObject(parent), program_dir_(std::move(program_dir)) {
  // The second's tick comes just after the wall clock's second changes, together with the
  // clock's own: one wake-up a second for both.
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  pass_timer_.setSingleShot(true);
  // The action time is a moment of the day: not a little early.
  log_action_timer_.setSingleShot(true);
  log_action_timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &KioskShell::SecondTick);
  connect(&pass_timer_, &QTimer::timeout, this, &KioskShell::RunPass);
  connect(&log_action_timer_, &QTimer::timeout, this, &KioskShell::RequestPass);
  // Marker files appear and go in the program folder: the kernel says when it changed.
  connect(&marker_watcher_, &QFileSystemWatcher::directoryChanged, this, &KioskShell::RequestPass);
  // Only under systemd's watchdog, and then at half its time.
  connect(&watchdog_timer_, &QTimer::timeout, this, [this] {
    if (!shut_down_ && parts_ && parts_->BrowserResponsive()) service_.KeepAlive();
  });
}

KioskShell::~KioskShell() { Shutdown(); }

void KioskShell::Start() {
  controller_ = std::make_unique<KioskController>(program_dir_, clock_, *this);
  const QScreen* screen = QGuiApplication::primaryScreen();
  controller_->Create(screen ? screen->geometry().width() : 800);
  LogPhase("settings read, log open");
  // A finger needs about 9 mm: an operator told when the screen mode makes the keys smaller.
  if (screen != nullptr) {
    const std::optional<double> mm = SmallestTargetMm(controller_->settings().kiosk.screen_mode,
                                                      {screen->geometry().width(), screen->physicalSize().width()});
    if (mm && *mm < kSmallestComfortableTargetMm) {
      char size[16];
      std::snprintf(size, sizeof size, "%.1f mm", *mm);
      controller_->WriteLog(std::string(log_text::kSmallTouchTargets) + size);
    }
  }
  // The lock was set before the log was open; what it could not lock goes there now.
  if (desktop_lock_) desktop_lock_->SetReport([this](const std::string& text) { controller_->WriteLog(text); });
  // The daily log mail; while the client waits for the server the windows stay live.
  log_mail_sender_ =
      std::make_unique<SmtpLogMailSender>([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); });
  controller_->log_mail().SetSender(log_mail_sender_.get());

  keyboard_platform_ = std::make_unique<X11KeyboardPlatform>();
  KioskWindows::Hooks hooks;
  hooks.hold_timer = [this](bool held) { held ? timer_.stop() : ArmTick(); };
  hooks.first_paint = [this] {
    LogPhase("splash painted");
    if (on_first_paint_) on_first_paint_();
  };
  parts_ = std::make_unique<KioskParts>(*controller_, clock_, keyboard_platform_->Get(), std::move(hooks));
  LogPhase("windows and browser made");
  // The frame key comes to the kiosk whichever window has the focus; the browser's key
  // lock leaves it alone.
  if (const std::string& key = controller_->settings().kiosk.frame_key; !key.empty()) {
    frame_key_ = std::make_unique<X11GlobalKey>(key, [this] {
      controller_->Guarded([this] {
        controller_->activity().VisitorActivity();
        parts_->windows().FrameKey();
      });
    });
    if (frame_key_->grabbed()) {
      DesktopLock().KeepKey(frame_key_->keysym());
    } else {
      controller_->WriteLog(std::string(log_text::kFrameKeyNotAvailable) + key);
    }
  }
  parts_->SetFirstLoadCallback([this] {
    LogPhase("first page loaded");
    service_.Ready();
    if (service_.KeepAliveInterval().count() > 0) {
      service_.KeepAlive();
      watchdog_timer_.start(service_.KeepAliveInterval());
    }
  });
  // Asked to end while it was starting (the splash lets events through): nothing more starts.
  if (shut_down_) {
    parts_->CloseWindows();
    return;
  }
  ArmTick();
  // The browser's loop is entered as soon as the event loop runs, not a second later on
  // the first tick: the web engine's start is the long pole of the kiosk's start.
  QTimer::singleShot(0, this, [this] {
    if (shut_down_ || controller_->loop_running()) return;
    controller_->Guarded([this] { controller_->EnterLoop(); });
    if (controller_->loop_running()) StartLoop();
  });
}

void KioskShell::LogPhase(const char* phase) {
  if (!controller_ || !controller_->settings().kiosk.debug) return;
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_).count();
  controller_->WriteLog(std::string("Start-up - ") + phase + " after " + std::to_string(ms) + " ms");
}

void KioskShell::ArmTick() {
  // The wall clock's millisecond is the same in every time zone, and read this way it does
  // not look at the time zone file.
  timer_.start(1000 - static_cast<int>(QDateTime::currentMSecsSinceEpoch() % 1000) + 1);
}

void KioskShell::SecondTick() {
  if (shut_down_) return;
  ArmTick();
  const bool was_running = controller_->loop_running();
  controller_->Guarded([this] { controller_->SecondTick(); });
  if (controller_->exit_requested()) {
    Shutdown();
    return;
  }
  if (!controller_->loop_running()) return;
  if (!was_running) {
    StartLoop();
    return;
  }
  // Work of a later second now due, or a clock set forward (or a machine resumed) past
  // the log's action time.
  if (parts_->TimedWorkDue() || clock_.Now() >= log_action_due_) RequestPass();
  // Now and then the marker files, in case a watch was lost (no pass, nothing raised).
  if (++ticks_ % kMarkerSafetyTicks == 0) controller_->Guarded([this] { controller_->activity().CheckMarkerFiles(); });
}

void KioskShell::StartLoop() {
  controller_->Guarded([this] { parts_->StartBrowser(); });
  LogPhase("start page asked for");
  // Watched from the first pass on, which also finds marker files made before the start.
  if (!marker_watcher_.addPath(QString::fromStdString(controller_->paths().program_dir))) {
    controller_->WriteLog(log_text::kProgramFolderNotWatched + std::to_string(kMarkerSafetyTicks) + " seconds");
  }
  stacking_ = std::make_unique<StackingWatcher>(
      [](unsigned long id) {
        const QWindowList windows = QGuiApplication::allWindows();
        return std::any_of(windows.begin(), windows.end(),
                           [id](const QWindow* w) { return w->handle() && w->winId() == id; });
      },
      [this] { Restack(); });
  RequestPass();
}

void KioskShell::RequestPass() {
  if (shut_down_ || !controller_ || !controller_->loop_running() || pass_timer_.isActive()) return;
  // Passes keep their interval, so that one queued URL after another is a step the
  // visitor can see; after a quiet while the pass runs at once.
  const qint64 since = since_pass_.isValid() ? since_pass_.elapsed() : kMainLoopPassInterval;
  pass_timer_.start(static_cast<int>(std::clamp<qint64>(kMainLoopPassInterval - since, 0, kMainLoopPassInterval)));
}

void KioskShell::RunPass() {
  if (shut_down_) return;
  since_pass_.start();
  bool go_on = true;
  controller_->Guarded([&] { go_on = parts_->Pass(); });
  if (!go_on) {
    Shutdown();
    return;
  }
  if (parts_->WantsPassSoon()) RequestPass();
  ArmLogActionTimer();
}

void KioskShell::ArmLogActionTimer() {
  const LocalTime due = controller_->log().NextActionTime();
  if (log_action_timer_.isActive() && due == log_action_due_) return;
  log_action_due_ = due;
  // Armed on the steady clock: a clock set back makes it fire early (the pass finds
  // nothing due and it is armed again); set forward, the second's tick sees it.
  const std::int64_t seconds = std::clamp<std::int64_t>(due - clock_.Now(), 0, LocalTime::kSecondsPerDay);
  log_action_timer_.start(static_cast<int>(seconds * 1000));
}

void KioskShell::Restack() {
  if (shut_down_ || !parts_) return;
  controller_->Guarded([this] { parts_->windows().RaiseTopmostWindows(); });
}

void KioskShell::Shutdown() {
  if (shut_down_ || !controller_) return;
  shut_down_ = true;
  service_.Stopping();
  watchdog_timer_.stop();
  timer_.stop();
  pass_timer_.stop();
  log_action_timer_.stop();
  stacking_.reset();
  if (parts_) {
    // A listed program still running is ended first, so that its lines come before the last one.
    parts_->EndRunningProgram();
    parts_->CloseWindows();
  }
  controller_->Shutdown();
  QCoreApplication::quit();
}

void KioskShell::ShowError(const std::string& text) {
  // Errors before the windows exist reach the console and the log only.
  if (parts_) {
    parts_->windows().ShowError(text);
  } else {
    std::fprintf(stderr, "tarnwick: %s\n", text.c_str());
  }
}

// The desktop lock-down on the X display, on a connection of its own.
X11DesktopLock& KioskShell::DesktopLock() {
  if (!desktop_lock_) desktop_lock_ = std::make_unique<X11DesktopLock>();
  return *desktop_lock_;
}
void KioskShell::SetTaskBarHidden(bool hidden) { DesktopLock().SetTaskBarHidden(hidden); }
void KioskShell::SetSystemKeyLock(bool locked) { DesktopLock().SetSystemKeyLock(locked); }
bool KioskShell::SetBrowserKeyLock(bool locked) { return DesktopLock().SetBrowserKeyLock(locked); }

bool KioskShell::BrowserCanRun(int engine, const KioskConfig& config) const {
  const BrowserEngineEntry* entry = FindBrowserEngine(engine);
  return entry != nullptr && entry->can_run(config);
}

}  // namespace tw
