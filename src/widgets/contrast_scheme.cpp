#include "widgets/contrast_scheme.h"

#include <QPainter>
#include <QVariant>
#include <QWidget>

namespace tw {
namespace {

constexpr char kOnProperty[] = "tw_high_contrast";
constexpr char kPaletteProperty[] = "tw_palette_before";
constexpr char kAutoFillProperty[] = "tw_autofill_before";

void Apply(QWidget& widget, bool on) {
  if (on == widget.property(kOnProperty).toBool()) return;
  widget.setProperty(kOnProperty, on);
  if (on) {
    // Only a palette set on the widget itself is kept; an inherited one comes back by itself.
    widget.setProperty(kPaletteProperty,
                       widget.testAttribute(Qt::WA_SetPalette) ? QVariant(widget.palette()) : QVariant());
    widget.setProperty(kAutoFillProperty, widget.autoFillBackground());
    widget.setPalette(HighContrastPalette());
    if (widget.isWindow()) widget.setAutoFillBackground(true);
  } else {
    const QVariant before = widget.property(kPaletteProperty);
    widget.setPalette(before.isValid() ? before.value<QPalette>() : QPalette());
    if (!before.isValid()) widget.setAttribute(Qt::WA_SetPalette, false);
    widget.setAutoFillBackground(widget.property(kAutoFillProperty).toBool());
  }
  widget.update();
}

}  // namespace

QPalette HighContrastPalette() {
  QPalette p;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const bool disabled = group == QPalette::Disabled;
    // Grey on black is still 9:1; white and yellow are above 15:1.
    const QColor text = disabled ? QColor(170, 170, 170) : QColor(Qt::white);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base, QPalette::AlternateBase}) {
      p.setColor(group, role, Qt::black);
    }
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
      p.setColor(group, role, text);
    }
    p.setColor(group, QPalette::Highlight, QColor(255, 255, 0));
    p.setColor(group, QPalette::HighlightedText, Qt::black);
    for (QPalette::ColorRole role : {QPalette::Light, QPalette::Midlight, QPalette::Mid}) {
      p.setColor(group, role, text);
    }
    p.setColor(group, QPalette::Dark, text);
    p.setColor(group, QPalette::Shadow, text);
  }
  return p;
}

void SetHighContrast(QWidget& window, bool on) {
  Apply(window, on);
  for (QWidget* child : window.findChildren<QWidget*>()) Apply(*child, on);
}

bool InHighContrast(const QWidget& widget) { return widget.property(kOnProperty).toBool(); }

QPixmap InkedForContrast(const QPixmap& picture, const QColor& ink) {
  // A picture without see-through parts would become a block of ink: it stays as it is.
  if (picture.isNull() || !picture.hasAlphaChannel()) return picture;
  QPixmap inked(picture.size());
  inked.setDevicePixelRatio(picture.devicePixelRatio());
  inked.fill(Qt::transparent);
  QPainter p(&inked);
  p.drawPixmap(0, 0, picture);
  p.setCompositionMode(QPainter::CompositionMode_SourceIn);
  p.fillRect(inked.rect(), ink);
  return inked;
}

}  // namespace tw
