#include "kiosk/app/kiosk_input_filter.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "kiosk/core/attract/activity_timer.h"

namespace tw {

bool KioskInputFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && activity_.active_mode()) return true;
      if (mouse->button() == Qt::RightButton && block_right_button_) return true;
      break;
    }
    case QEvent::ContextMenu:
      if (block_right_button_) return true;
      break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F4 && (key->modifiers() & Qt::AltModifier)) return true;
      if (event->type() == QEvent::KeyPress) activity_.VisitorActivity();
      break;
    }
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tw
