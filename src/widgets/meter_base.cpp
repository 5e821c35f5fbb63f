#include "widgets/meter_base.h"

#include <QPainter>

namespace tw {

MeterBase::MeterBase(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void MeterBase::SetTotal(std::int32_t total) { Changed(values_.SetTotal(total)); }
void MeterBase::SetCompleted(std::int32_t completed) { Changed(values_.SetCompleted(completed)); }
void MeterBase::SetPercent(std::int32_t percent) { Changed(values_.SetPercent(percent)); }

void MeterBase::SetBackColor(const QColor& colour) {
  Changed(colour != back_color_);
  back_color_ = colour;
}

void MeterBase::SetForeColor(const QColor& colour) {
  Changed(colour != fore_color_);
  fore_color_ = colour;
}

void MeterBase::SetBorderStyle(MeterBorder style) {
  Changed(style != border_style_);
  border_style_ = style;
}

void MeterBase::SetCaption(const QString& caption) {
  Changed(caption != caption_);
  caption_ = caption;
}

void MeterBase::SetShowPercent(bool show) {
  Changed(show != show_percent_);
  show_percent_ = show;
}

QString MeterBase::Text() const {
  if (!caption_.isEmpty()) return caption_;
  if (show_percent_) return QString::number(Percent()) + QLatin1Char('%');
  return QString();
}

QImage MeterBase::Render() const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(back_color_);
  QPainter painter(&image);
  painter.setFont(font());
  QRect area = image.rect();
  if (border_style_ == MeterBorder::kSingle) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    area.adjust(1, 1, -1, -1);
  }
  PaintMeter(painter, area);
  return image;
}

void MeterBase::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, Render());
}

void MeterBase::Changed(bool changed) {
  if (changed) update();
}

}  // namespace tw
