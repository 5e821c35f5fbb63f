// Tells when another window may have come over the kiosk's own on the X display: a
// top-level window mapped, or one that is not the kiosk's own restacked, moved or
// resized. It has a connection to the display of its own and is woken by that
// connection's socket, never by a timer, so a kiosk whose screen does not change
// restacks nothing.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace tw {

class StackingWatcher : public QObject {
 public:
  // `is_own`: whether a top-level window id is one of the kiosk's; `changed`: called once
  // for every batch of events that may have changed the stacking.
  StackingWatcher(std::function<bool(unsigned long window)> is_own, std::function<void()> changed,
                  QObject* parent = nullptr);
  ~StackingWatcher() override;

  // False without a display: then nothing is ever reported.
  bool available() const;

 private:
  class Connection;
  void Drain();

  std::unique_ptr<Connection> connection_;
  QSocketNotifier* notifier_ = nullptr;
  std::function<void()> changed_;
};

}  // namespace tw
