#include "kiosk/app/kiosk_shell.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "kiosk/app/kiosk_parts.h"
#include "kiosk/core/smtp_log_mail_sender.h"
#include "platform/x11qt/x11_desktop_lock.h"
#include "platform/x11qt/x11_keyboard_platform.h"

namespace tw {

KioskShell::KioskShell(std::string program_dir, QObject* parent)
    : QObject(parent), program_dir_(std::move(program_dir)) {
  timer_.setInterval(1000);
  pass_timer_.setInterval(kMainLoopPassInterval);
  connect(&timer_, &QTimer::timeout, this, &KioskShell::TimerTimer);
  connect(&pass_timer_, &QTimer::timeout, this, &KioskShell::RunPass);
}

KioskShell::~KioskShell() { Shutdown(); }

void KioskShell::Start() {
  controller_ = std::make_unique<KioskController>(program_dir_, clock_, *this);
  const QScreen* screen = QGuiApplication::primaryScreen();
  controller_->Create(screen ? screen->geometry().width() : 800);
  // The lock was set before the log was open; what it could not lock goes there now.
  if (desktop_lock_) desktop_lock_->SetReport([this](const std::string& text) { controller_->WriteLog(text); });
  // The daily log mail; while the client waits for the server the windows stay live.
  log_mail_sender_ = std::make_unique<SmtpLogMailSender>(
      [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); });
  controller_->SetLogMailSender(log_mail_sender_.get());

  keyboard_platform_ = std::make_unique<X11KeyboardPlatform>();
  KioskWindows::Hooks hooks;
  hooks.hold_timer = [this](bool held) { held ? timer_.stop() : timer_.start(); };
  hooks.first_paint = on_first_paint_;
  parts_ = std::make_unique<KioskParts>(*controller_, keyboard_platform_->Get(), std::move(hooks));
  // Asked to end while it was starting (the splash lets events through): nothing more starts.
  if (shut_down_) {
    parts_->CloseWindows();
    return;
  }
  timer_.start();
}

void KioskShell::TimerTimer() {
  if (shut_down_) return;
  controller_->Guarded([this] {
    controller_->TimerTimer();
    if (controller_->loop_running() && !pass_timer_.isActive()) {
      parts_->StartBrowser();
      pass_timer_.start();
    }
  });
  if (controller_->exit_requested()) Shutdown();
}

void KioskShell::RunPass() {
  if (shut_down_) return;
  bool go_on = true;
  controller_->Guarded([&] { go_on = parts_->Pass(); });
  if (!go_on) Shutdown();
}

void KioskShell::Shutdown() {
  if (shut_down_ || !controller_) return;
  shut_down_ = true;
  timer_.stop();
  pass_timer_.stop();
  if (parts_) {
    // A listed program still running is ended first, so that its lines come before the last one.
    parts_->EndRunningProgram();
    parts_->CloseWindows();
  }
  controller_->FormClose();
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

}  // namespace tw
