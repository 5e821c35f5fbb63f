#include "kiosk/app/kiosk_attract_host.h"

#include <QApplication>

#include "kiosk/app/kiosk_dbus_service.h"
#include "kiosk/app/kiosk_input_filter.h"
#include "kiosk/app/qt_process_runner.h"
#include "kiosk/browser/embedded_browser_loop.h"
#include "kiosk/core/kiosk_controller.h"

namespace tw {

KioskAttractHost::KioskAttractHost(KioskController& controller, KioskAttractFrame::Windows windows,
                                   KioskButtons* buttons)
    : controller_(controller),
      frame_(std::move(windows)),
      runner_(std::make_unique<QtProcessRunner>()),
      launcher_(controller, *runner_),
      interpreter_(controller),
      input_filter_(std::make_unique<KioskInputFilter>(controller)),
      dbus_(std::make_unique<KioskDbusService>(controller)) {
  controller_.activity().SetFrame(&frame_);
  controller_.activity().SetButtons(buttons);
  interpreter_.SetButtons(buttons);
  interpreter_.SetLauncher(&launcher_);
  qApp->installEventFilter(input_filter_.get());
  QString error;
  if (!dbus_->Register(&error)) {
    controller_.WriteLog("Topics for other programs not available - " + error.toStdString());
  }
}

KioskAttractHost::~KioskAttractHost() {
  controller_.activity().SetFrame(nullptr);
  controller_.activity().SetButtons(nullptr);
  if (qApp) qApp->removeEventFilter(input_filter_.get());
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
