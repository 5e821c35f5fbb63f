#include "kiosk/panels/form_scaling.h"

namespace tw {

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

void ScaleControls(QWidget* form, double screen_scale) {
  for (QWidget* child : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    const QRect g = child->geometry();
    child->setGeometry(ToQRect(Scaled(Rect{g.x(), g.y(), g.width(), g.height()}, screen_scale)));
  }
}

}  // namespace tw
