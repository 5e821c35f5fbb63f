#include "kiosk/app/kiosk_shell.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "common/profile_file.h"
#include "kiosk/core/browser_placement.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/form_splash.h"

namespace tw {

KioskShell::KioskShell(std::string program_dir, QObject* parent)
    : QObject(parent), program_dir_(std::move(program_dir)) {
  timer_.setInterval(1000);
  pass_timer_.setInterval(kPassInterval);
  connect(&timer_, &QTimer::timeout, this, &KioskShell::TimerTimer);
  connect(&pass_timer_, &QTimer::timeout, this, &KioskShell::RunPass);
}

KioskShell::~KioskShell() { Shutdown(); }

void KioskShell::Start() {
  controller_ = std::make_unique<KioskController>(program_dir_, clock_, *this);

  // The splash first, so that something shows while the rest starts.
  splash_ = std::make_unique<TFormSplash>();
  if (on_first_paint_) splash_->SetFirstPaintCallback(on_first_paint_);
  const ProfileFile ini(controller_->ProgramFile("Tarnwick.ini"));
  splash_->LoadSplash(QString::fromStdString(ini.ReadString("PREFERENCES", "Splash", "")));
  splash_->show();
  QApplication::processEvents();

  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screen_width = screen ? screen->geometry().width() : 800;
  controller_->Create(screen_width);

  const double scale = controller_->screen_scale();
  splash_->setGeometry(ToQRect(SplashFormBounds(scale, false)));
  ScaleControls(splash_.get(), scale);
  splash_->RefreshPicture();

  timer_.start();
}

void KioskShell::TimerTimer() {
  if (shut_down_) return;
  controller_->Guarded([this] {
    controller_->TimerTimer();
    if (controller_->state().loop_running && !pass_timer_.isActive()) pass_timer_.start();
  });
  if (controller_->state().exit_requested) Shutdown();
}

void KioskShell::RunPass() {
  if (shut_down_) return;
  bool go_on = true;
  controller_->Guarded([&] { go_on = controller_->RunPass(); });
  if (!go_on) Shutdown();
}

void KioskShell::Shutdown() {
  if (shut_down_ || !controller_) return;
  shut_down_ = true;
  timer_.stop();
  pass_timer_.stop();
  if (splash_) splash_->close();
  controller_->FormClose();
  QCoreApplication::quit();
}

void KioskShell::ShowError(const std::string& text) {
  // The kiosk's error dialog takes this over; until then the log and the console.
  std::fprintf(stderr, "tarnwick: %s\n", text.c_str());
  if (controller_) controller_->WriteLog(text);
}

// The desktop lock-down (task bar, system keys) belongs to the X11 platform layer, which
// this shell does not have yet: nothing is hidden or grabbed, so nothing needs restoring.
void KioskShell::SetTaskBarHidden(bool) {}
void KioskShell::SetSystemKeyLock(bool) {}

}  // namespace tw
