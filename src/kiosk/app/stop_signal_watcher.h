// Turns SIGTERM and SIGINT into a Qt signal on the event loop, so that the kiosk shuts
// down in order (last log line, desktop given back) when the system asks it to stop.
#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace tw {

class StopSignalWatcher : public QObject {
  Q_OBJECT

 public:
  explicit StopSignalWatcher(QObject* parent = nullptr);
  ~StopSignalWatcher() override;

 signals:
  void StopRequested(int signal_number);

 private:
  void OnReadable();
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tw
