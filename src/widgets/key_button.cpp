#include "widgets/key_button.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>

#include "common/keyboard/key_spoken_name.h"
#include "widgets/contrast_scheme.h"
#include "widgets/focus_ring.h"
#include "widgets/keyboard_controller.h"

namespace tw {
namespace {

QColor ToQColor(ColourValue colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

}  // namespace

KeyButton::KeyButton(QWidget* parent) : QWidget(parent) {
  resize(40, 40);
  // Reached from a keyboard only (the frame key); a touch leaves the focus where it is.
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  PlaceCaptions();
}

void KeyButton::SetLegend(const KeyLegend& legend) {
  legend_ = legend;
  PlaceCaptions();
  NameForScreenReaders();
  update();
}

void KeyButton::SetKey(KeyId key) {
  key_ = key;
  const KeyDefinition& row = KeyDefinitionFor(key);
  legend_.captions[0] = QString::fromStdString(row.caption);
  legend_.captions[1] = QString::fromStdString(row.caption2);
  legend_.send_string = row.send_string;
  SetKeyType(row.type);
  SetLook({row.colour, row.layout});
}

void KeyButton::SetKeyType(KeyType type) {
  key_type_ = type;
  NameForScreenReaders();
  update();
}

void KeyButton::NameForScreenReaders() {
  QStringList shown;
  for (const QString& caption : legend_.captions) {
    if (!caption.isEmpty()) shown.append(caption);
  }
  setAccessibleName(QString::fromStdString(
      SpokenKeyName(key_type_, legend_.send_string, shown.join(QLatin1Char(' ')).toStdString())));
}

void KeyButton::SetLook(const KeyLook& look) {
  look_ = look;
  if (controller_) {
    colours_ = controller_->Look().palette.Of(look.colour);
    QFont f = font();
    f.setPointSize(controller_->Look().FontSizeFor(look.layout));
    setFont(f);
  }
  PlaceCaptions();
  update();
}

void KeyButton::SetKeyController(KeyboardController* controller) {
  controller_ = controller;
  Loaded();
}

void KeyButton::Loaded() {
  SetKeyType(key_type_);
  SetLook(look_);
}

void KeyButton::ControllerChanged() {
  if (controller_) colours_ = controller_->Look().palette.Of(look_.colour);
  update();
}

bool KeyButton::LooksPressed() const {
  bool latched = controller_ && controller_->Latched(key_type_);
  return held_ != latched;  // a held latched key looks raised
}

QFont KeyButton::CaptionFont(int index) const {
  QFont f = font();
  // Larger legends in the high-contrast look.
  if (InHighContrast(*this) && f.pointSize() > 0) f.setPointSize(f.pointSize() * 5 / 4);
  if (index == 3 && look_.layout == KeyLayout::kLetterPlus && f.pointSize() > 1) {
    f.setPointSize(f.pointSize() / 2);
  }
  return f;
}

void KeyButton::PlaceCaptions() {
  std::array<int, 4> widths{};
  for (int i = 0; i < 4; ++i) widths[i] = QFontMetrics(CaptionFont(i)).horizontalAdvance(legend_.captions[i]);
  positions_ = tw::CaptionPositions(look_.layout, width(), height(), widths);
}

void KeyButton::resizeEvent(QResizeEvent*) { PlaceCaptions(); }

void KeyButton::changeEvent(QEvent* event) {
  // The high-contrast look comes with a palette and brings its own legend size.
  if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) PlaceCaptions();
  QWidget::changeEvent(event);
}

void KeyButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width(), h = height();
  const bool contrast = InHighContrast(*this);
  const bool pressed = LooksPressed();
  // The high-contrast key: black, its edge in the legends' colour, yellow while pressed.
  const QColor ink = palette().color(QPalette::WindowText);
  const QColor edge = pressed ? palette().color(QPalette::Highlight) : ink;
  painter.fillRect(rect(), contrast ? QColor(Qt::black) : ToQColor(colours_.face));
  const QColor top_left = contrast ? edge : ToQColor(pressed ? colours_.low : colours_.high);
  const QColor bottom_right = contrast ? edge : ToQColor(pressed ? colours_.high : colours_.low);
  for (int i = 0; i < 2; ++i) {
    painter.setPen(top_left);
    painter.drawLine(i, i, w - 1 - i, i);
    painter.drawLine(i, i, i, h - 1 - i);
    painter.setPen(bottom_right);
    painter.drawLine(i, h - 1 - i, w - 1 - i, h - 1 - i);
    painter.drawLine(w - 1 - i, i, w - 1 - i, h - 1 - i);
  }
  const int shift = pressed ? 1 : 0;
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  for (int i = 0; i < 4; ++i) {
    const QString& caption = legend_.captions[i];
    if (caption.isEmpty()) continue;
    QFont f = CaptionFont(i);
    painter.setFont(f);
    QFontMetrics metrics(f);
    painter.drawText(positions_[i].x + shift, positions_[i].y + shift + metrics.ascent(), caption);
  }
  DrawFocusRing(painter, *this);
}

void KeyButton::mousePressEvent(QMouseEvent* event) {
  if (!isEnabled()) return;
  if (event->button() == Qt::LeftButton) {
    mouse_down_ = true;
    held_ = true;
    update();
    PlaySound();
  }
  Notify(OnMouseDown, *event);
}

void KeyButton::mouseMoveEvent(QMouseEvent* event) {
  if (!isEnabled()) return;
  if (mouse_down_) {
    bool inside = rect().contains(event->position().toPoint());
    if (inside != held_) {
      held_ = inside;
      update();
    }
  }
  Notify(OnMouseMove, *event);
}

void KeyButton::mouseReleaseEvent(QMouseEvent* event) {
  if (!isEnabled()) return;
  if (event->button() == Qt::LeftButton && mouse_down_) {
    mouse_down_ = false;
    held_ = false;
    update();
    if (rect().contains(event->position().toPoint())) Click();
  }
  Notify(OnMouseUp, *event);
}

void KeyButton::Notify(const MouseNotify& event, QMouseEvent& mouse) {
  if (!event) return;
  if (controller_) {
    controller_->Guarded([&] { event(*this, mouse); });
  } else {
    event(*this, mouse);
  }
}

void KeyButton::Click() {
  if (active_ && controller_) {
    bool typed = false;
    controller_->Guarded([&] {
      controller_->SendKeys(legend_.send_string);
      typed = true;
    });
    // A handler may have closed the keyboard while the keys were typed.
    if (!typed || !controller_) return;
    if (key_type_ != KeyType::kNormal) {
      controller_->SetLatched(key_type_, !controller_->Latched(key_type_));
    }
  }
  update();
  if (OnClick) {
    if (controller_) {
      controller_->Guarded([&] { OnClick(*this); });
    } else {
      OnClick(*this);
    }
  }
}

void KeyButton::PlaySound() {
  if (sound_ == KeySound::kNone || !controller_ || !controller_->platform().sounds) return;
  controller_->platform().sounds->PlayButtonSound(ButtonSoundFromNumber(static_cast<int>(sound_)), custom_sound_);
}

}  // namespace tw
