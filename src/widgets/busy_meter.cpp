#include "widgets/busy_meter.h"

#include <QFontMetrics>
#include <QPainter>

#include "widgets/tiled_bitmap.h"

namespace tw {
namespace {

QRect ToQRect(const PixelRect& r) { return QRect(r.left, r.top, r.width, r.height); }

}  // namespace

BusyMeter::BusyMeter(QWidget* parent) : MeterBase(parent) { resize(180, 25); }

void BusyMeter::SetBevelDepth(int depth) {
  depth = std::max(0, depth);
  Changed(depth != bevel_depth_);
  bevel_depth_ = depth;
}

void BusyMeter::SetBevelType(MeterBevel type) {
  Changed(type != bevel_type_);
  bevel_type_ = type;
}

void BusyMeter::SetBitmap(const QPixmap& bitmap) {
  bitmap_ = bitmap.copy();
  Changed(true);
}

void BusyMeter::SetBitmapDrawStyle(MeterBitmapStyle style) {
  Changed(style != draw_style_);
  draw_style_ = style;
}

void BusyMeter::SetDirection(MeterDirection direction) {
  Changed(direction != direction_);
  direction_ = direction;
}

void BusyMeter::SetUseFontColor(bool use) {
  Changed(use != use_font_color_);
  use_font_color_ = use;
}

QRect BusyMeter::MeterArea() const {
  QRect area = rect();
  if (BorderStyle() == MeterBorder::kSingle) area.adjust(1, 1, -1, -1);
  return Bevelled(nullptr, area);
}

// Draws the bevels (when a painter is given) and returns the area inside them.
QRect BusyMeter::Bevelled(QPainter* painter, QRect area) const {
  if (bevel_type_ == MeterBevel::kNone) return area;
  QColor light = palette().color(QPalette::Light);
  QColor shadow = palette().color(QPalette::Dark);
  // Inset: lit from the bottom right; raised: lit from the top left.
  QColor bottom_right = bevel_type_ == MeterBevel::kInset ? light : shadow;
  QColor top_left = bevel_type_ == MeterBevel::kInset ? shadow : light;
  for (int i = 0; i < bevel_depth_ && !area.isEmpty(); ++i) {
    if (painter) {
      painter->setPen(bottom_right);
      painter->drawLine(area.bottomLeft(), area.bottomRight());
      painter->drawLine(area.topRight(), area.bottomRight());
      painter->setPen(top_left);
      painter->drawLine(area.topLeft(), area.topRight());
      painter->drawLine(area.topLeft(), area.bottomLeft());
    }
    area.adjust(1, 1, -1, -1);
  }
  return area;
}

void BusyMeter::PaintMeter(QPainter& painter, const QRect& outer) const {
  QRect area = Bevelled(&painter, outer);
  if (area.isEmpty()) return;
  MeterSplit split =
      SplitMeter({area.left(), area.top(), area.width(), area.height()}, direction_, Completed(), Total());
  QRect done = ToQRect(split.done);
  QRect rest = ToQRect(split.rest);

  const QString text = Text();
  QFontMetrics metrics(painter.font());
  // Centred across the control, at (height - text height) / 2 from the top.
  QPoint text_at((width() - metrics.horizontalAdvance(text)) / 2, (height() - metrics.height()) / 2 + metrics.ascent());
  QColor font_colour = palette().color(QPalette::WindowText);

  if (bitmap_.isNull()) {
    painter.fillRect(done, ForeColor());
    painter.setClipRect(done);
    painter.setPen(use_font_color_ ? font_colour : BackColor());
    painter.drawText(text_at, text);
    if (Percent() < 100) {
      painter.setClipRect(rest);
      painter.fillRect(rest, BackColor());
      painter.setPen(use_font_color_ ? font_colour : ForeColor());
      painter.drawText(text_at, text);
    }
    painter.setClipping(false);
    return;
  }

  switch (draw_style_) {
    case MeterBitmapStyle::kStretch:
      if (!done.isEmpty()) painter.drawPixmap(done, bitmap_);
      painter.fillRect(rest, BackColor());
      break;
    case MeterBitmapStyle::kTile:
      painter.setClipRect(done);
      PaintTiles(painter, done, bitmap_);
      painter.setClipping(false);
      painter.fillRect(rest, BackColor());
      break;
    case MeterBitmapStyle::kTileInvert:
      PaintTiles(painter, area, bitmap_);
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.fillRect(rest, Qt::white);
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
      break;
  }
  painter.setPen(font_colour);
  painter.drawText(text_at, text);
}

}  // namespace tw
