#include "kiosk/panels/toolbar_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace tw {
namespace {

// Draws one symbol in a 24 x 24 box.
void DrawSymbol(QPainter& p, std::string_view kind, const QColor& ink) {
  p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(ink);
  auto arrow = [&](bool left) {
    const QPolygonF head = left ? QPolygonF({{3, 12}, {12, 4}, {12, 20}}) : QPolygonF({{21, 12}, {12, 4}, {12, 20}});
    p.drawPolygon(head);
    p.drawRect(left ? QRectF(12, 9, 9, 6) : QRectF(3, 9, 9, 6));
  };
  auto vertical_arrow = [&](bool up, double y0) {
    p.drawPolygon(up ? QPolygonF({{12, y0}, {6, y0 + 6}, {18, y0 + 6}}) : QPolygonF({{12, y0 + 6}, {6, y0}, {18, y0}}));
  };
  auto keyboard = [&] {
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2, 12, 20, 10), 2, 2);
    p.setBrush(ink);
    for (int i = 0; i < 4; ++i) p.drawPoint(QPointF(6 + 4 * i, 16));
    p.drawLine(QPointF(8, 19), QPointF(16, 19));
  };
  if (kind == "Back") {
    arrow(true);
  } else if (kind == "Forward") {
    arrow(false);
  } else if (kind == "Start") {
    p.drawPolygon(QPolygonF({{12, 3}, {2, 12}, {22, 12}}));
    p.drawRect(QRectF(5, 12, 14, 9));
  } else if (kind == "Help") {
    p.setBrush(Qt::NoBrush);
    QPainterPath q;
    q.moveTo(7, 8);
    q.cubicTo(7, 2, 17, 2, 17, 8);
    q.cubicTo(17, 12, 12, 12, 12, 16);
    p.drawPath(q);
    p.setBrush(ink);
    p.drawEllipse(QPointF(12, 20.5), 1.6, 1.6);
  } else if (kind == "Print") {
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(7, 3, 10, 6));
    p.setBrush(ink);
    p.drawRect(QRectF(3, 9, 18, 8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 14, 10, 7));
  } else if (kind == "Email") {
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 6, 18, 12));
    p.drawPolyline(QPolygonF({{3, 6}, {12, 13}, {21, 6}}));
  } else if (kind == "Stop") {
    p.drawPolygon(QPolygonF({{8, 3}, {16, 3}, {21, 8}, {21, 16}, {16, 21}, {8, 21}, {3, 16}, {3, 8}}));
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 9), QPointF(15, 15));
    p.drawLine(QPointF(15, 9), QPointF(9, 15));
  } else if (kind == "Reload") {
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 290 * 16);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({{20, 2}, {20, 10}, {13, 8}}));
  } else if (kind == "ZoomIn" || kind == "ZoomOut") {
    // A magnifying glass with a plus or a minus.
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.drawLine(QPointF(15, 15), QPointF(21.5, 21.5));
    p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    if (kind == "ZoomIn") p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
  } else if (kind == "HighContrast") {
    // A circle, one half filled.
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setBrush(ink);
    p.drawPie(QRectF(3, 3, 18, 18), 90 * 16, 180 * 16);
  } else if (kind == "Show") {
    vertical_arrow(true, 2);
    keyboard();
  } else if (kind == "Hide") {
    vertical_arrow(false, 2);
    keyboard();
  } else {
    p.drawEllipse(QPointF(12, 12), 5, 5);
  }
}

}  // namespace

QPixmap BuiltInGlyph(std::string_view kind, int size) {
  QPixmap strip(2 * size, size);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor inks[2] = {QColor(0, 0, 128), QColor(128, 128, 128)};
  for (int frame = 0; frame < 2; ++frame) {
    p.save();
    p.translate(frame * size, 0);
    p.scale(size / 24.0, size / 24.0);
    DrawSymbol(p, kind, inks[frame]);
    p.restore();
  }
  return strip;
}

}  // namespace tw
