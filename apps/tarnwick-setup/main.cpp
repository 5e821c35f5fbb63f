// tarnwick-setup: the operator's editor for Tarnwick.ini and TWLang.ini. See kUsage.
#include <QApplication>
#include <QMessageBox>
#include <ctime>
#include <string>

#include "common/system/program_options.h"
#include "setup/model/lock_file.h"
#include "setup/model/setup_session.h"
#include "setup/window/setup_window.h"
#include "widgets/widget_accessibility.h"

namespace {

constexpr const char* kUsage =
    "usage: tarnwick-setup [--dir DIR]\n"
    "       tarnwick-setup --help | --version\n"
    "\n"
    "  --dir DIR   the program folder whose Tarnwick.ini and TWLang.ini are edited (default:\n"
    "              the folder of this program; the installed kiosk's is /etc/tarnwick)\n";

}  // namespace

int main(int argc, char** argv) {
  const tw::ProgramOptions options = tw::ParseProgramOptions(argc, argv);
  if (const auto exit_code = tw::AnswerInsteadOfRunning(options, "tarnwick-setup", TARNWICK_VERSION, kUsage)) {
    return *exit_code;
  }
  const std::string& dir = options.dir;

  QApplication app(argc, argv);
  QApplication::setApplicationName("Tarnwick Setup Manager");
  tw::InstallWidgetAccessibility();

  const std::time_t started = std::time(nullptr);
  const tw::SetupLock lock(dir);
  if (lock.state() == tw::SetupLock::State::kTakenByAnother) {
    QMessageBox::warning(nullptr, "Tarnwick Setup Manager",
                         "Another Setup Manager is already open on " + QString::fromStdString(dir) + ".");
    return 1;
  }
  try {
    tw::SetupSession session(dir);
    if (lock.state() == tw::SetupLock::State::kHeld) {
      // Left by a save that was cut off (a crash, a power cut); the files themselves are whole.
      std::string names;
      for (const std::string& name : tw::RemoveLeftoverTemporaries(dir, started))
        names += (names.empty() ? "" : ", ") + name;
      if (!names.empty()) session.AddNotice("Removed the temporary files of an interrupted save: " + names);
    }
    const bool read_only = lock.state() == tw::SetupLock::State::kFolderNotWritable;
    tw::SetupWindow window(session, read_only, QString::fromStdString(lock.reason()));
    window.show();
    return QApplication::exec();
  } catch (const tw::SetupFileError& e) {
    QMessageBox::critical(nullptr, "Tarnwick Setup Manager",
                          "The configuration could not be read: " + QString::fromStdString(e.what()));
    return 1;
  }
}
