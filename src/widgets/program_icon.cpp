#include "widgets/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace tw {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 22, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A dark blue screen with a light frame and a "T".
    p.setPen(QPen(QColor(0xd8, 0xe4, 0xf0), size / 16.0 + 0.5));
    p.setBrush(QColor(0x1f, 0x4e, 0x8c));
    const qreal inset = size / 16.0;
    p.drawRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset), size / 6.0, size / 6.0);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size * 11 / 16);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, "T");
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tw
