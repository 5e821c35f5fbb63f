#include "kiosk/app/kiosk_parts.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "kiosk/app/kiosk_dbus_service.h"
#include "kiosk/app/kiosk_input_filter.h"
#include "kiosk/app/video_window.h"
#include "kiosk/browser/browser_engine_entry.h"
#include "kiosk/browser/controller_loop_services.h"

namespace tw {

KioskParts::KioskParts(KioskController& controller, const Clock& clock, KeyboardPlatform platform,
                       KioskWindows::Hooks hooks)
    : controller_(controller),
      launcher_(controller, controller.activity(), runner_),
      interpreter_(controller, controller.settings().kiosk, controller.keyboard(), clock,
                   controller.paths().log.feedback_dir),
      splash_(KioskWindows::ShowSplash(controller, hooks.first_paint)),
      browser_(std::make_unique<SwitchableBrowser>(MakeBrowser(controller.browser_status().engine))),
      loop_(LoopServicesOf(controller, clock), *browser_, windows_, interpreter_),
      windows_(controller, platform, *splash_, *browser_, std::move(hooks)),
      input_filter_(
          std::make_unique<KioskInputFilter>(controller.activity(), controller.settings().kiosk.block_right_button)),
      dbus_(std::make_unique<KioskDbusService>(
          KioskTopicTargets{controller, controller.activity(), controller.settings().kiosk})) {
  controller_.activity().SetFrame(&windows_.attract());
  controller_.activity().SetButtons(&windows_);
  interpreter_.SetButtons(&windows_);
  interpreter_.SetLauncher(&launcher_);
  interpreter_.SetEmailWindow(&windows_.email());
  // A page's link must not wait for the program inside the browser's call: the run is
  // carried out from the event loop itself.
  launcher_.defer = [this](std::function<void()> run) {
    QTimer::singleShot(0, qApp, [this, run = std::move(run)] { controller_.Guarded(run); });
  };
  dbus_->open_url = [this](const std::string& url) {
    if (!browser_->Traits().hands_over_kept_protocols) return false;
    if (!url.empty()) loop_.QueueProtocolRequest(url);
    return true;
  };
  // The browser is ended and started again; "CLOSE" is no command for a browser that
  // cannot be.
  interpreter_.close_browser = [this] { return browser_->Restart(); };
  qApp->installEventFilter(input_filter_.get());
  QString error;
  if (!dbus_->Register(&error)) {
    // A kiosk without a session bus runs on; only other programs cannot reach it.
    std::fprintf(stderr, "tarnwick: topics for other programs not available: %s\n", qPrintable(error));
  }
}

// The rest of the kiosk asks the browser it is given (BrowserTraits) what differs.
std::unique_ptr<KioskBrowser> KioskParts::MakeBrowser(int engine) {
  const BrowserEngineEntry* entry = FindBrowserEngine(engine);
  if (entry == nullptr) entry = FindBrowserEngine(kFallbackBrowserEngine);
  BrowserOwner owner;
  owner.log = [this](const std::string& line) { controller_.WriteLog(line); };
  owner.lost = [this] {
    // The hole is covered until a browser is ready again; URLs wait meanwhile. A question
    // about a page of the browser that has gone goes with it.
    windows_.CloseNewWindowQuestion();
    controller_.browser_status().SetLost();
    splash_->show();
    splash_->raise();
  };
  owner.give_up = [this](const std::string& why) {
    // From the event loop: a browser is not destroyed inside its own call.
    QTimer::singleShot(0, qApp, [this, why] { controller_.Guarded([this, why] { UseEmbeddedBrowser(why); }); });
  };
  return entry->make(
      {loop_, controller_.settings().kiosk, controller_.paths(), controller_.screen_scale(), std::move(owner)});
}

void KioskParts::SetFirstLoadCallback(std::function<void()> callback) {
  loop_.SetFirstLoadCallback([this, callback = std::move(callback)] {
    if (callback) callback();
    QTimer::singleShot(0, qApp, [this] { windows_.video().Prepare(); });
  });
}

void KioskParts::StartBrowser() {
  // A shortcut left to the visitor would open the browser's own windows over the frame.
  if (browser_->Traits().needs_key_lock && !controller_.LockBrowserKeys()) {
    UseEmbeddedBrowser("the browser's own shortcuts could not all be taken from the visitor");
    return;
  }
  browser_->Start();
}

void KioskParts::UseEmbeddedBrowser(const std::string& why) {
  controller_.UseEmbeddedBrowser(why);
  browser_->SwitchTo(MakeBrowser(kFallbackBrowserEngine));
  browser_->Start();
  // The operator's browser is not the one the visitors see: said where it is seen.
  windows_.ShowError("External Browser Not Available - Embedded Browser Used - " + why);
}

KioskParts::~KioskParts() {
  controller_.activity().SetFrame(nullptr);
  controller_.activity().SetButtons(nullptr);
  if (qApp) qApp->removeEventFilter(input_filter_.get());
}

bool KioskParts::Pass() {
  if (controller_.exit_requested()) return false;
  windows_.scrolling().Step();
  const bool go_on = loop_.Pass();
  // A page that has finished loading may scroll differently: the arrows are looked at again.
  if (was_busy_ && !loop_.busy()) windows_.scrolling().RequestLook();
  was_busy_ = loop_.busy();
  return go_on;
}

bool KioskParts::WantsPassSoon() const { return loop_.WantsPassSoon() || windows_.scrolling().WantsPassSoon(); }

bool KioskParts::TimedWorkDue() const { return loop_.TimedWorkDue() || controller_.LogMailDue(); }

void KioskParts::EndRunningProgram() {
  // Idle mode goes off without showing the browser again: the windows are about to close.
  if (launcher_.running()) controller_.activity().SetFrame(nullptr);
  launcher_.EndRunningProgram();
}

}  // namespace tw
