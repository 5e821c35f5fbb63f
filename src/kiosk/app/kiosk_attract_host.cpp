#include "kiosk/app/kiosk_attract_host.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "kiosk/app/video_window.h"
#include "kiosk/app/kiosk_dbus_service.h"
#include "kiosk/app/kiosk_input_filter.h"
#include "kiosk/app/qt_process_runner.h"
#include "kiosk/browser/embedded_browser_loop.h"
#include "kiosk/core/kiosk_controller.h"

namespace tw {

KioskAttractHost::KioskAttractHost(KioskController& controller, KioskAttractFrame::Windows windows,
                                   KioskButtons* buttons)
    : controller_(controller),
      frame_(WithVideo(std::move(windows), this)),
      runner_(std::make_unique<QtProcessRunner>()),
      launcher_(controller, *runner_),
      interpreter_(controller),
      input_filter_(std::make_unique<KioskInputFilter>(controller)),
      dbus_(std::make_unique<KioskDbusService>(controller)) {
  VideoWindow::Options video_options;
  try {
    SettingErrors errors;
    video_options = VideoWindow::ReadOptions(controller.ProgramFile("Tarnwick.ini"), controller.config().time_video,
                                            controller.screen_scale(), errors);
    controller.ReportSettingErrors(errors);
  } catch (const std::exception& e) {
    controller.AppException(e.what());
  }
  video_ = std::make_unique<VideoWindow>(video_options, [this](const std::string& text) { controller_.WriteLog(text); });
  video_->on_click = [this] {
    controller_.Guarded([this] {
      if (video_->isVisible()) controller_.activity().StopVideo();
    });
  };
  video_->on_hold = hold_timer_;
  controller_.activity().SetFrame(&frame_);
  controller_.activity().SetButtons(buttons);
  interpreter_.SetButtons(buttons);
  interpreter_.SetLauncher(&launcher_);
  launcher_.defer = [this](std::function<void()> run) {
    QTimer::singleShot(0, qApp, [this, run = std::move(run)] { controller_.Guarded(run); });
  };
  qApp->installEventFilter(input_filter_.get());
  QString error;
  if (!dbus_->Register(&error)) {
    // A kiosk without a session bus runs on; only other programs cannot reach it.
    std::fprintf(stderr, "tarnwick: topics for other programs not available: %s\n", qPrintable(error));
  }
}

KioskAttractHost::~KioskAttractHost() {
  controller_.activity().SetFrame(nullptr);
  controller_.activity().SetButtons(nullptr);
  if (qApp) qApp->removeEventFilter(input_filter_.get());
}

KioskAttractFrame::Windows KioskAttractHost::WithVideo(KioskAttractFrame::Windows windows, KioskAttractHost* host) {
  host->hold_timer_ = windows.hold_timer;
  windows.start_video = [host] { host->video_->StartVideo(); };
  windows.stop_video = [host] { host->video_->StopVideo(); };
  return windows;
}

void KioskAttractHost::RaiseTopmost() {
  if (video_ && video_->isVisible()) video_->raise();
}

void KioskAttractHost::EndRunningProgram() {
  // Idle mode goes off without showing the browser again: the windows are about to close.
  if (launcher_.running()) controller_.activity().SetFrame(nullptr);
  launcher_.EndRunningProgram();
}

void KioskAttractHost::AttachEmbedded(EmbeddedBrowserLoop& loop) {
  loop.before_navigate_filter = [this](const std::string& url, bool& cancel) {
    // A command that fails (a feedback file that cannot be written) is reported; the
    // navigation stays cancelled.
    controller_.Guarded([&] { interpreter_.BeforeNavigate(url, cancel); });
  };
  loop.check_marker_files = [this] { controller_.activity().CheckMarkerFiles(); };
}

}  // namespace tw
