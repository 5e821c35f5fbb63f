#include "kiosk/app/kiosk_parts.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "kiosk/app/kiosk_dbus_service.h"
#include "kiosk/app/kiosk_input_filter.h"
#include "kiosk/app/video_window.h"
#include "kiosk/browser/external_host/external_browser.h"
#include "kiosk/browser/webengine/embedded_browser.h"

namespace tw {
namespace {

EmbeddedBrowserOptions BrowserOptions(const KioskController& controller) {
  EmbeddedBrowserOptions options;
  options.block_right_button = controller.config().block_right_button;
  options.scroll_bar_size = Scaled(20, controller.screen_scale());
  options.offline_page = controller.ProgramFile("pages/offline.htm");
  return options;
}

}  // namespace

KioskParts::KioskParts(KioskController& controller, KeyboardPlatform platform, KioskWindows::Hooks hooks)
    : controller_(controller),
      launcher_(controller, runner_),
      interpreter_(controller),
      splash_(KioskWindows::ShowSplash(controller, hooks.first_paint)),
      browser_(MakeBrowser()),
      loop_(controller, *browser_, windows_, interpreter_),
      windows_(controller, platform, *splash_, *browser_, std::move(hooks)),
      input_filter_(std::make_unique<KioskInputFilter>(controller)),
      dbus_(std::make_unique<KioskDbusService>(controller)) {
  controller_.activity().SetFrame(&windows_);
  controller_.activity().SetButtons(&windows_);
  interpreter_.SetButtons(&windows_);
  interpreter_.SetLauncher(&launcher_);
  interpreter_.SetEmailWindow(&windows_.email());
  // A page's link must not wait for the program inside the browser's call: the run is
  // carried out from the event loop itself.
  launcher_.defer = [this](std::function<void()> run) {
    QTimer::singleShot(0, qApp, [this, run = std::move(run)] { controller_.Guarded(run); });
  };
  windows_.scrolling().SetPassDue([this] { controller_.PassDue(); });
  dbus_->open_url = [this](const std::string& url) { loop_.QueueProtocolRequest(url); };
  qApp->installEventFilter(input_filter_.get());
  QString error;
  if (!dbus_->Register(&error)) {
    // A kiosk without a session bus runs on; only other programs cannot reach it.
    std::fprintf(stderr, "tarnwick: topics for other programs not available: %s\n", qPrintable(error));
  }
}

std::unique_ptr<SwitchableBrowser> KioskParts::MakeBrowser() {
  if (controller_.browser_kind() != BrowserKind::kExternal) {
    return std::make_unique<SwitchableBrowser>(MakeEmbeddedBrowser(loop_, BrowserOptions(controller_)));
  }
  ExternalBrowserOptions options;
  options.file_name = controller_.config().browser_file_name;
  options.profile_dir = controller_.ProgramFile("browser-profile");
  options.offline_page = controller_.ProgramFile("pages/offline.htm");
  options.blocked_protocols = controller_.config().block_list;
  options.block_right_button = controller_.config().block_right_button;
  ExternalBrowser::Owner owner;
  owner.log = [this](const std::string& line) { controller_.WriteLog(line); };
  owner.ready = [this] { controller_.Guarded([this] { loop_.BrowserReady(); }); };
  owner.lost = [this] {
    // The hole is covered until a browser is ready again; URLs wait meanwhile. A question
    // about a page of the browser that has gone goes with it.
    windows_.CloseNewWindowQuestion();
    controller_.SetBrowserLost();
    splash_->show();
    splash_->raise();
  };
  owner.give_up = [this](const std::string& why) {
    // From the event loop: the external browser is not destroyed inside its own call.
    QTimer::singleShot(0, qApp, [this, why] { controller_.Guarded([this, why] { UseEmbeddedBrowser(why); }); });
  };
  return std::make_unique<SwitchableBrowser>(std::make_unique<ExternalBrowser>(loop_, options, std::move(owner)));
}

void KioskParts::SetFirstLoadCallback(std::function<void()> callback) {
  loop_.SetFirstLoadCallback([this, callback = std::move(callback)] {
    if (callback) callback();
    QTimer::singleShot(0, qApp, [this] { windows_.video().Prepare(); });
  });
}

void KioskParts::StartBrowser() {
  if (auto* external = dynamic_cast<ExternalBrowser*>(&browser_->current())) {
    // A shortcut left to the visitor opens the browser's own windows over the frame.
    if (controller_.browser_keys_open()) {
      UseEmbeddedBrowser("the browser's own shortcuts could not all be taken from the visitor");
      return;
    }
    interpreter_.close_browser = [this] {
      // The browser is ended and started again; once the embedded browser has taken
      // over, "CLOSE" is no command any more.
      if (auto* running = dynamic_cast<ExternalBrowser*>(&browser_->current())) running->CloseForRestart();
    };
    external->StartProcess();
    return;
  }
  loop_.Start();
}

void KioskParts::UseEmbeddedBrowser(const std::string& why) {
  interpreter_.close_browser = nullptr;
  controller_.UseEmbeddedBrowser(why);
  browser_->SwitchTo(MakeEmbeddedBrowser(loop_, BrowserOptions(controller_)));
  loop_.Start();
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
