#include "widgets/focus_ring.h"

#include <QPainter>
#include <QWidget>

namespace tw {

void DrawFocusRing(QPainter& painter, const QWidget& widget) {
  if (!widget.hasFocus()) return;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  const QRect ring = widget.rect().adjusted(2, 2, -3, -3);
  painter.setPen(QPen(Qt::black, 5));
  painter.drawRect(ring);
  painter.setPen(QPen(QColor(255, 210, 0), 3));
  painter.drawRect(ring);
  painter.restore();
}

}  // namespace tw
