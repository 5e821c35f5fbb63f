#include "kiosk/panels/glyph_button.h"

#include <QPainter>

#include "kiosk/panels/sunken_frame.h"
#include "widgets/focus_ring.h"

namespace tw {

void GlyphButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = rect();
  const bool down = isDown();
  if (down) {
    DrawSunkenFrame(painter, r, palette());
  }
  DrawContrastOutline(painter, *this);
  const QPixmap frame = CurrentFrame();
  const QFontMetrics metrics(font());
  const QString caption = text();
  const QSize text_size = caption.isEmpty() ? QSize(0, 0) : QSize(metrics.horizontalAdvance(caption), metrics.height());
  const QSize glyph = frame.isNull() ? QSize() : frame.size();
  const int spacing = frame.isNull() || text_size.isEmpty() ? 0 : 2;
  const bool stacked = position_ == GlyphPosition::kTop || position_ == GlyphPosition::kBottom;
  // The caption and the picture together, centred in the button.
  const QSize total =
      stacked ? QSize(std::max(text_size.width(), glyph.width()), text_size.height() + spacing + glyph.height())
              : QSize(text_size.width() + spacing + glyph.width(), std::max(text_size.height(), glyph.height()));
  const int shift = down ? 1 : 0;
  const QPoint origin((r.width() - total.width()) / 2 + shift, (r.height() - total.height()) / 2 + shift);
  QRect text_rect, glyph_rect;
  switch (position_) {
    case GlyphPosition::kTop:
      glyph_rect = QRect(origin.x() + (total.width() - glyph.width()) / 2, origin.y(), glyph.width(), glyph.height());
      text_rect = QRect(origin.x(), origin.y() + glyph.height() + spacing, total.width(), text_size.height());
      break;
    case GlyphPosition::kBottom:
      text_rect = QRect(origin.x(), origin.y(), total.width(), text_size.height());
      glyph_rect = QRect(origin.x() + (total.width() - glyph.width()) / 2, origin.y() + text_size.height() + spacing,
                         glyph.width(), glyph.height());
      break;
    case GlyphPosition::kLeft:
      glyph_rect = QRect(origin.x(), origin.y() + (total.height() - glyph.height()) / 2, glyph.width(), glyph.height());
      text_rect = QRect(origin.x() + glyph.width() + spacing, origin.y(), text_size.width(), total.height());
      break;
    case GlyphPosition::kRight:
      text_rect = QRect(origin.x(), origin.y(), text_size.width(), total.height());
      glyph_rect = QRect(origin.x() + text_size.width() + spacing, origin.y() + (total.height() - glyph.height()) / 2,
                         glyph.width(), glyph.height());
      break;
  }
  painter.setFont(font());
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  if (!text_size.isEmpty()) painter.drawText(text_rect, Qt::AlignCenter, caption);
  if (!frame.isNull()) painter.drawPixmap(glyph_rect.topLeft(), frame);
  DrawFocusRing(painter, *this);
}

}  // namespace tw
