#include "widgets/meter_base.h"

#include <QPainter>

namespace tw {

TMeterBase::TMeterBase(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TMeterBase::SetTotal(std::int32_t total) { Changed(values_.SetTotal(total)); }
void TMeterBase::SetCompleted(std::int32_t completed) { Changed(values_.SetCompleted(completed)); }
void TMeterBase::SetPercent(std::int32_t percent) { Changed(values_.SetPercent(percent)); }

void TMeterBase::SetBackColor(const QColor& colour) {
  Changed(colour != back_color_);
  back_color_ = colour;
}

void TMeterBase::SetForeColor(const QColor& colour) {
  Changed(colour != fore_color_);
  fore_color_ = colour;
}

void TMeterBase::SetBorderStyle(TBorderStyle style) {
  Changed(style != border_style_);
  border_style_ = style;
}

void TMeterBase::SetCaption(const QString& caption) {
  Changed(caption != caption_);
  caption_ = caption;
}

void TMeterBase::SetShowPercent(bool show) {
  Changed(show != show_percent_);
  show_percent_ = show;
}

QString TMeterBase::Text() const {
  if (!caption_.isEmpty()) return caption_;
  if (show_percent_) return QString::number(Percent()) + QLatin1Char('%');
  return QString();
}

QImage TMeterBase::Render() const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(back_color_);
  QPainter painter(&image);
  painter.setFont(font());
  QRect area = image.rect();
  if (border_style_ == TBorderStyle::bsSingle) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    area.adjust(1, 1, -1, -1);
  }
  PaintMeter(painter, area);
  return image;
}

void TMeterBase::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, Render());
}

void TMeterBase::Changed(bool changed) {
  if (changed) update();
}

}  // namespace tw
