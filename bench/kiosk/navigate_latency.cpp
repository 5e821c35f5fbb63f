// Time from GoToURL to the engine's navigate call, with the main loop's passes run by a
// Qt timer as in the kiosk.
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "kiosk/browser/browser_loop.h"
#include "kiosk/browser/controller_loop_services.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

struct Hooks : tw::KioskHooks {
  void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void SetTaskBarHidden(bool) override {}
  void SetSystemKeyLock(bool) override {}
};

struct Engine : tw::BrowserEngine {
  SteadyClock::time_point last;
  tw::BrowserTraits Traits() const override { return {}; }
  void Navigate(const std::string&) override { last = SteadyClock::now(); }
  void RunOnPage(tw::PageOperation) override {}
  void ShowOfflinePage() override {}
};

struct Frame : tw::BrowserFrame {
  tw::PanelSizes CurrentPanelSizes() const override { return tw::DesignPanelSizes(1.0); }
  void PlaceBrowserWindow(const tw::BrowserPlacement&) override {}
  void ShowBrowserWindow() override {}
  void SetBackEnabled(bool) override {}
  void SetForwardEnabled(bool) override {}
  void SetStopEnabled(bool) override {}
  void ShowBusyMeter(int) override {}
  void HideBusyMeter() override {}
  void RaiseTopmostWindows() override {}
  bool AskTransferNewWindow(std::function<void(bool)>) override { return false; }
  void CloseNewWindowQuestion() override {}
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const auto dir = std::filesystem::temp_directory_path() / "tarnwick-bench-latency";
  std::filesystem::create_directories(dir);
  tw::SystemClock clock;
  Hooks hooks;
  Engine engine;
  Frame frame;
  tw::KioskController controller(dir.string(), clock, hooks);
  controller.Create(800);
  tw::CommandInterpreter commands(controller, controller.settings().kiosk, controller.keyboard(), clock,
                                  controller.paths().log.feedback_dir);
  tw::BrowserLoop loop(tw::LoopServicesOf(controller, clock), engine, frame, commands);
  loop.BrowserStarted();
  loop.Pass();

  QTimer passes;
  passes.setInterval(tw::kMainLoopPassInterval);
  QObject::connect(&passes, &QTimer::timeout, [&] { loop.Pass(); });
  passes.start();

  std::vector<double> delays;
  constexpr int kSamples = 200;
  QTimer requests;
  requests.setInterval(37);  // not a multiple of the pass interval: requests fall anywhere in a pass
  SteadyClock::time_point asked;
  QObject::connect(&requests, &QTimer::timeout, [&] {
    if (engine.last >= asked && asked.time_since_epoch().count() != 0) {
      delays.push_back(std::chrono::duration<double, std::milli>(engine.last - asked).count());
    }
    if (static_cast<int>(delays.size()) >= kSamples) {
      app.quit();
      return;
    }
    asked = SteadyClock::now();
    controller.GoToURL("http://example.invalid/", tw::NavigationReason::kCustomButton);
  });
  requests.start();
  app.exec();

  std::sort(delays.begin(), delays.end());
  std::printf(
      "GoToURL to navigate: median %.1f ms, 95th percentile %.1f ms, max %.1f ms (%zu samples, pass every %d ms)\n",
      delays[delays.size() / 2], delays[delays.size() * 95 / 100], delays.back(), delays.size(),
      tw::kMainLoopPassInterval);
  controller.Shutdown();
  std::filesystem::remove_all(dir);
  return 0;
}
