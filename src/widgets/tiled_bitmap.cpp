#include "widgets/tiled_bitmap.h"

#include <QPainter>

#include "common/geometry/tile_layout.h"
#include "widgets/contrast_scheme.h"

namespace tw {

void PaintTiles(QPainter& painter, const QRect& area, const QPixmap& bitmap) {
  if (bitmap.isNull()) return;
  PixelRect target{area.left(), area.top(), area.width(), area.height()};
  for (const PixelRect& tile : TileRects(target, bitmap.width(), bitmap.height())) {
    painter.drawPixmap(QRect(tile.left, tile.top, tile.width, tile.height), bitmap,
                       QRect(0, 0, tile.width, tile.height));
  }
}

TiledBitmap::TiledBitmap(QWidget* parent) : QWidget(parent) {
  resize(50, 50);
  SetBitmap(QPixmap());
}

void TiledBitmap::SetBitmap(const QPixmap& bitmap) {
  bitmap_ = bitmap.copy();
  // Opaque while there is a picture, see-through while there is none.
  setAttribute(Qt::WA_OpaquePaintEvent, !bitmap_.isNull());
  setAttribute(Qt::WA_NoSystemBackground, bitmap_.isNull());
  update();
}

void TiledBitmap::paintEvent(QPaintEvent*) {
  if (bitmap_.isNull()) return;
  QPainter painter(this);
  // The high-contrast look has no picture behind the buttons.
  if (InHighContrast(*this)) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    return;
  }
  PaintTiles(painter, rect(), bitmap_);
}

}  // namespace tw
