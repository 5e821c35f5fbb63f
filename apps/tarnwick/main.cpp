// tarnwick: the kiosk shell. See kUsage.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "kiosk/app/kiosk_dbus_service.h"
#include "kiosk/app/kiosk_shell.h"
#include "common/system/program_options.h"
#include "kiosk/app/stop_signal_watcher.h"
#include "kiosk/browser/webengine/engine_environment.h"
#include "widgets/widget_accessibility.h"
#include "kiosk/core/settings/config_check.h"
#include "common/config/profile_file.h"

namespace {

constexpr const char* kUsage =
    "usage: tarnwick [--dir DIR]\n"
    "       tarnwick --check-config [--dir DIR]\n"
    "       tarnwick --poke TOPIC [ITEM]\n"
    "       tarnwick --help | --version\n"
    "\n"
    "  --dir DIR       the program folder with Tarnwick.ini and TWLang.ini (default: the\n"
    "                  folder of this program); the log and feedback are written there\n"
    "  --check-config  read both files as the kiosk would, print every problem and exit\n"
    "                  with 1 when there are errors (warnings alone exit with 0)\n"
    "  --poke TOPIC    poke the running kiosk on the session bus: TW_SendURL URL,\n"
    "                  TW_IdleOn, TW_IdleOff, TW_ActiveOn, TW_ActiveOff\n";

int CheckConfiguration(const std::string& dir) {
  const auto problems = tw::CheckKioskConfiguration(dir);
  bool errors = false;
  for (const tw::ConfigProblem& p : problems) {
    std::printf("%s\n", p.Text().c_str());
    errors = errors || p.error;
  }
  if (problems.empty()) std::printf("%sTarnwick.ini and %sTWLang.ini: no problems\n", dir.c_str(), dir.c_str());
  return errors ? 1 : 0;
}

// Every event handler runs inside notify(): an exception there reaches the controller's
// error handling instead of ending the kiosk.
class KioskApplication : public QApplication {
 public:
  using QApplication::QApplication;
  tw::KioskShell* shell = nullptr;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      if (shell) shell->controller().AppException(e.what());
    } catch (...) {
      if (shell) shell->controller().AppException("unknown error");
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
  if (argc >= 3 && std::strcmp(argv[1], "--poke") == 0) {
    QCoreApplication poke_app(argc, argv);
    return tw::PokeRunningKiosk(QString::fromLocal8Bit(argv[2]),
                                argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString());
  }
  const tw::ProgramOptions options = tw::ParseProgramOptions(argc, argv, {"--check-config"});
  if (const auto exit_code = tw::AnswerInsteadOfRunning(options, "tarnwick", TARNWICK_VERSION, kUsage)) {
    return *exit_code;
  }
  const std::string& dir = options.dir;
  if (options.Has("--check-config")) return CheckConfiguration(dir);

  // The web engine learns the kiosk's URL schemes before the application object exists.
  std::vector<std::string> blocked;
  for (const auto& row : tw::ReadList(tw::ProfileFile(dir + "Tarnwick.ini"), {"PROTOCOLS", "Block"})) {
    blocked.push_back(row[0]);
  }
  tw::PrepareWebEngine(blocked);
  // The attract video plays through the multimedia back end that needs no extra codec
  // packages; an operator can still choose another one in the environment.
  if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

  KioskApplication app(argc, argv);
  QApplication::setApplicationName("Tarnwick");
  QApplication::setQuitOnLastWindowClosed(false);
  tw::InstallWidgetAccessibility();

  tw::KioskShell shell(dir);
  shell.SetStartTime(started);
  app.shell = &shell;
  tw::StopSignalWatcher stop_signals;
  QObject::connect(&stop_signals, &tw::StopSignalWatcher::StopRequested, &shell, [&shell] {
    shell.controller().RequestExit();
    shell.Shutdown();
  });
  if (std::getenv("TARNWICK_REPORT_FIRST_PAINT") != nullptr) {
    // For the start-up benchmark.
    shell.SetFirstPaintCallback([started] {
      const auto ms =
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
      std::fprintf(stderr, "tarnwick: splash painted after %lld ms\n", static_cast<long long>(ms));
    });
  }
  shell.Start();
  const int rc = shell.finished() ? 0 : app.exec();
  app.shell = nullptr;
  return rc;
}
