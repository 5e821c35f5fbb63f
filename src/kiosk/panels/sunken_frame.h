// The one-pixel sunken frame a flat panel button shows while it is held down.
#pragma once

#include <QPainter>
#include <QPalette>
#include <QRect>

namespace tw {

inline void DrawSunkenFrame(QPainter& painter, const QRect& r, const QPalette& palette) {
  painter.setPen(palette.color(QPalette::Dark));
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(palette.color(QPalette::Light));
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace tw
