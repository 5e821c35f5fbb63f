// tarnwick: the kiosk shell.
//   tarnwick [--dir DIR]    run the kiosk on the configuration in DIR (default: the
//                           directory of this program)
//   tarnwick --poke TOPIC [ITEM]
//                           pokes a topic of the running kiosk on the session bus:
//                           TW_SendURL URL, TW_IdleOn, TW_IdleOff, TW_ActiveOn, TW_ActiveOff
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "kiosk/app/kiosk_dbus_service.h"
#include "kiosk/app/kiosk_shell.h"
#include "kiosk/app/program_directory.h"
#include "kiosk/app/stop_signal_watcher.h"
#include "kiosk/browser/webengine/engine_environment.h"
#include "common/profile_file.h"

namespace {

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
    return tw::PokeRunningKiosk(QString::fromLocal8Bit(argv[2]), argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString());
  }
  std::string dir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dir") == 0) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: tarnwick [--dir DIR]\n");
        return 2;
      }
      dir = argv[++i];
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::fprintf(stderr, "usage: tarnwick [--dir DIR] | --poke TOPIC [ITEM]\n");
      return 0;
    }
    // Anything else (-platform, ...) is left to Qt.
  }

  if (dir.empty()) dir = tw::ExecutableDirectory();
  if (dir.back() != '/') dir += '/';

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
