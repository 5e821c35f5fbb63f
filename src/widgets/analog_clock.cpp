#include "widgets/analog_clock.h"

#include <QEvent>
#include <QPainter>
#include <QPolygon>

#include "common/geometry/clock_geometry.h"

namespace tw {
namespace {

QPoint ToQPoint(PixelPoint p) { return QPoint(p.x, p.y); }

QPolygon Kite(PixelPoint centre, double angle, int length) {
  QPolygon polygon;
  for (PixelPoint p : HandKite(centre, angle, length)) polygon << ToQPoint(p);
  return polygon;
}

}  // namespace

AnalogClock::AnalogClock(QWidget* parent) : QWidget(parent) {
  resize(60, 60);
  const QPalette& p = palette();
  back_color_ = p.color(QPalette::Button);
  face_color_ = p.color(QPalette::Base);
  hands_color_ = p.color(QPalette::Highlight);
  outline_color_ = p.color(QPalette::WindowText);
  sec_hand_color_ = p.color(QPalette::WindowText);
  tick_color_ = p.color(QPalette::WindowText);
  // The whole picture is painted every time: no separate background erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  time_source_ = [] { return QTime::currentTime(); };
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &AnalogClock::Wake);
  ScheduleWake();
}

void AnalogClock::SetTimeSource(std::function<QTime()> source) {
  time_source_ = std::move(source);
  Invalidate();
  if (isEnabled()) ScheduleWake();
}

QImage AnalogClock::RenderFace(QTime time) const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(back_color_);
  ClockGeometry g = ClockGeometryFor(width(), height());
  if (g.dial.width <= 0) return image;
  QPainter painter(&image);
  QRect dial(g.dial.left, g.dial.top, g.dial.width - 1, g.dial.height - 1);
  painter.setPen(outline_color_);
  painter.setBrush(face_color_);
  if (shape_ == ClockShape::kCircle) {
    painter.drawEllipse(dial);
  } else {
    painter.drawRect(dial);
  }
  painter.setPen(Qt::NoPen);  // dots exactly d pixels across
  painter.setBrush(tick_color_);
  for (const ClockMark& mark : ClockMarks(g)) {
    int d = mark.diameter;
    painter.drawEllipse(QRect(mark.centre.x - d / 2, mark.centre.y - d / 2, d, d));
  }
  painter.setPen(Qt::black);
  painter.setBrush(hands_color_);
  painter.drawPolygon(Kite(g.centre, HourAngle(time.hour(), time.minute()), g.hour_length));
  painter.drawPolygon(Kite(g.centre, MinuteAngle(time.minute()), g.minute_length));
  return image;
}

void AnalogClock::DrawSecondsHand(QImage& image, int second) const {
  if (!show_seconds_) return;
  ClockGeometry g = ClockGeometryFor(image.width(), image.height());
  if (g.dial.width <= 0) return;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  // On the face the result is exactly SecHandColor.
  QRgb xor_colour = (sec_hand_color_.rgb() ^ face_color_.rgb()) | 0xFF000000u;
  painter.setPen(QPen(QColor::fromRgb(xor_colour), 0));
  painter.drawLine(ToQPoint(g.centre), ToQPoint(PointAt(g.centre, SecondAngle(second), g.minute_length)));
}

QImage AnalogClock::Render(QTime time) const {
  QImage image = RenderFace(time);
  DrawSecondsHand(image, time.second());
  return image;
}

void AnalogClock::Tick(QTime now) {
  if (now.isValid() && now.second() != last_second_) {
    // The hands move once a minute; a clock that missed second 0 (stopped, or
    // the machine was busy) redraws as soon as it sees the minute has changed.
    if (now.second() == 0 || last_second_ < 0 || now.minute() != shown_minute_ || shown_.size() != size()) {
      Redraw(now);
      update();
    } else {
      DrawSecondsHand(shown_, last_second_);
      DrawSecondsHand(shown_, now.second());
      last_second_ = now.second();
      // Without a seconds hand the picture changes once a minute: nothing to show now.
      if (show_seconds_) update();
    }
  }
  if (OnTimer) OnTimer(*this);
}

void AnalogClock::Redraw(QTime now) {
  shown_ = Render(now);
  last_second_ = now.second();
  shown_minute_ = now.minute();
}

void AnalogClock::Invalidate() {
  shown_ = QImage();
  last_second_ = -1;
  update();
}

void AnalogClock::paintEvent(QPaintEvent*) {
  if (shown_.size() != size()) Redraw(time_source_());
  QPainter painter(this);
  painter.drawImage(0, 0, shown_);
}

void AnalogClock::resizeEvent(QResizeEvent*) { Invalidate(); }

void AnalogClock::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (isEnabled()) {
      ScheduleWake();
    } else {
      timer_.stop();
    }
  }
  QWidget::changeEvent(event);
}

void AnalogClock::ScheduleWake() { ScheduleWake(time_source_()); }

void AnalogClock::ScheduleWake(QTime now) {
  // Just after the next change of second. `now` may be a little old (read before a tick),
  // which only makes the wake-up a little later, never early.
  int wait = now.isValid() ? 1000 - now.msec() + 1 : 1000;
  timer_.start(wait);
}

void AnalogClock::Wake() {
  // The time is read once a wake-up: each local-time reading looks at the time zone file.
  const QTime now = time_source_();
  Tick(now);
  if (isEnabled()) ScheduleWake(now);
}

}  // namespace tw
