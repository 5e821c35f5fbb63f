#include "setup/window/wheel_guard.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace tw {
namespace {

class WheelGuard : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* control = static_cast<QWidget*>(watched);
    if (event->type() != QEvent::Wheel || control->hasFocus()) return false;
    // The page around the control scrolls instead.
    for (QWidget* w = control->parentWidget(); w != nullptr; w = w->parentWidget()) {
      if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
        QCoreApplication::sendEvent(area->viewport(), event);
        break;
      }
    }
    event->accept();
    return true;
  }
};

}  // namespace

void TakeWheelOnlyWithFocus(QWidget* control) {
  static WheelGuard guard;
  control->setFocusPolicy(Qt::StrongFocus);
  control->installEventFilter(&guard);
}

}  // namespace tw
