#include "kiosk/panels/panel_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "kiosk/panels/sunken_frame.h"
#include "widgets/contrast_scheme.h"
#include "widgets/focus_ring.h"
#include "widgets/widget_accessibility.h"

namespace tw {

PanelButton::PanelButton(QWidget* parent) : QAbstractButton(parent) {
  // Reached from a keyboard only (the frame key); a touch leaves the focus where it is.
  setFocusPolicy(Qt::TabFocus);
  // Named by its caption until it is given a name of its own for showing only its picture.
  SetSpokenName(*this, QString());
}

void PanelButton::SetGlyph(const QPixmap& strip) {
  glyph_ = strip;
  update();
}

void PanelButton::SetNumGlyphs(int count) {
  num_glyphs_ = count >= 1 && count <= 4 ? count : 1;
  update();
}

QPixmap PanelButton::CurrentFrame() const {
  if (glyph_.isNull()) return {};
  const int frame_width = glyph_.width() / num_glyphs_;
  const int frame = !isEnabled() && num_glyphs_ >= 2 ? 1 : 0;
  const QPixmap picture = glyph_.copy(frame * frame_width, 0, frame_width, glyph_.height());
  if (!InHighContrast(*this)) return picture;
  return InkedForContrast(picture,
                          palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
}

void DrawContrastOutline(QPainter& painter, const QWidget& button) {
  // Flat buttons on black need an edge to be found.
  if (!InHighContrast(button)) return;
  painter.save();
  painter.setPen(QPen(button.palette().color(QPalette::ButtonText), 2));
  painter.drawRect(button.rect().adjusted(1, 1, -1, -1));
  painter.restore();
}

QSize PanelButton::sizeHint() const { return {121, 41}; }

void PanelButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && sounds_ && sound_ != 0) {
    // A wave file plays to its end before the press goes on.
    sounds_->PlayButtonSound(ButtonSoundFromNumber(sound_), custom_sound_);
  }
  QAbstractButton::mousePressEvent(event);
}

void PanelButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = rect();
  const bool down = isDown();
  // Flat until pressed: a sunken frame while held.
  if (down) {
    DrawSunkenFrame(painter, r, palette());
  }
  DrawContrastOutline(painter, *this);
  QPixmap frame = CurrentFrame();
  const QFontMetrics metrics(font());
  const int text_width = metrics.horizontalAdvance(text());
  // A caption that leaves no room for the picture is shown whole, without it.
  if (!frame.isNull() && !text().isEmpty() && text_width + 4 + frame.width() > r.width()) frame = QPixmap();
  const int spacing = frame.isNull() || text().isEmpty() ? 0 : 4;
  const int total = text_width + spacing + (frame.isNull() ? 0 : frame.width());
  const int shift = down ? 1 : 0;
  int x = (r.width() - total) / 2 + shift;
  painter.setFont(font());
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(QRect(x, shift, text_width, r.height()), Qt::AlignVCenter | Qt::AlignLeft, text());
  x += text_width + spacing;
  if (!frame.isNull()) painter.drawPixmap(x, (r.height() - frame.height()) / 2 + shift, frame);
  DrawFocusRing(painter, *this);
}

}  // namespace tw
