// Every input event of the kiosk's own windows passes here first: active mode swallows
// left clicks, the right button can be blocked, Alt+F4 never closes a window, and a key
// press is activity.
#pragma once

#include <QObject>

namespace tw {

class KioskController;

class KioskInputFilter : public QObject {
 public:
  explicit KioskInputFilter(KioskController& controller, QObject* parent = nullptr)
      : QObject(parent), controller_(controller) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  KioskController& controller_;
};

}  // namespace tw
