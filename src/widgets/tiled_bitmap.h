// A background that repeats a bitmap over its whole area.
#pragma once

#include <QPixmap>
#include <QWidget>

class QPainter;

namespace tw {

// Tiles a bitmap over a rectangle from its top-left corner; the last row and
// column show the bitmap's top-left part cut to the space left.
void PaintTiles(QPainter& painter, const QRect& area, const QPixmap& bitmap);

class TiledBitmap : public QWidget {
  Q_OBJECT

 public:
  explicit TiledBitmap(QWidget* parent = nullptr);

  const QPixmap& Bitmap() const { return bitmap_; }
  // Copies the picture; an empty bitmap makes the control transparent.
  void SetBitmap(const QPixmap& bitmap);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap bitmap_;
};

}  // namespace tw
