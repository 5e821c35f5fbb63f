#include "kiosk/app/qt_process_runner.h"

#include <QEventLoop>
#include <QStringList>

namespace tw {

QtProcessRunner::~QtProcessRunner() {
  if (process_ && process_->state() != QProcess::NotRunning) {
    process_->kill();
    process_->waitForFinished(2000);
  }
}

bool QtProcessRunner::Start(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  process_ = std::make_unique<QProcess>();
  QStringList arguments;
  for (std::size_t i = 1; i < argv.size(); ++i) arguments << QString::fromStdString(argv[i]);
  process_->setProgram(QString::fromStdString(argv[0]));
  process_->setArguments(arguments);
  process_->setStandardInputFile(QProcess::nullDevice());
  process_->setProcessChannelMode(QProcess::ForwardedChannels);
  process_->start();
  if (!process_->waitForStarted(10000)) {
    process_.reset();
    return false;
  }
  return true;
}

void QtProcessRunner::WaitForEnd() {
  if (!process_) return;
  if (process_->state() != QProcess::NotRunning) {
    QEventLoop loop;
    QObject::connect(process_.get(), &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(process_.get(), &QProcess::errorOccurred, &loop, [&loop, this] {
      if (process_->state() == QProcess::NotRunning) loop.quit();
    });
    if (process_->state() != QProcess::NotRunning) loop.exec();
  }
  // The loop also ends when the whole kiosk is told to quit: the program goes with it.
  End();
  process_.reset();
}

void QtProcessRunner::End() {
  // The process object stays: a WaitForEnd further up the stack still looks at it.
  if (!process_ || process_->state() == QProcess::NotRunning) return;
  process_->terminate();
  if (!process_->waitForFinished(kEndGraceMs)) {
    process_->kill();
    process_->waitForFinished(2000);
  }
}

}  // namespace tw
