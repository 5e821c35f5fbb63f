// The analog clock of the banner bar: a dial with twelve marks, kite-shaped hour and
// minute hands and a seconds hand drawn in XOR, so that drawing it again at the same
// place removes it without repainting the face.
//
// The clock paints the time it is given; on screen it asks its time source when the
// second changes and sleeps in between (one wake-up a second).
#pragma once

#include <QColor>
#include <QImage>
#include <QTime>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tw {

enum class ClockShape { kCircle, kSquare };

class AnalogClock : public QWidget {
  Q_OBJECT

 public:
  explicit AnalogClock(QWidget* parent = nullptr);

  QColor BackColor() const { return back_color_; }
  QColor FaceColor() const { return face_color_; }
  QColor HandsColor() const { return hands_color_; }
  QColor OutlineColor() const { return outline_color_; }
  QColor SecHandColor() const { return sec_hand_color_; }
  QColor TickColor() const { return tick_color_; }
  ClockShape Shape() const { return shape_; }
  bool ShowSeconds() const { return show_seconds_; }
  // Kept for the configuration; the clock wakes when the second changes.
  int Interval() const { return interval_; }
  void SetBackColor(const QColor& c) {
    back_color_ = c;
    Invalidate();
  }
  void SetFaceColor(const QColor& c) {
    face_color_ = c;
    Invalidate();
  }
  void SetHandsColor(const QColor& c) {
    hands_color_ = c;
    Invalidate();
  }
  void SetOutlineColor(const QColor& c) {
    outline_color_ = c;
    Invalidate();
  }
  void SetSecHandColor(const QColor& c) {
    sec_hand_color_ = c;
    Invalidate();
  }
  void SetTickColor(const QColor& c) {
    tick_color_ = c;
    Invalidate();
  }
  void SetShape(ClockShape shape) {
    shape_ = shape;
    Invalidate();
  }
  void SetShowSeconds(bool show) {
    show_seconds_ = show;
    Invalidate();
  }
  void SetInterval(int milliseconds) { interval_ = milliseconds; }

  // Where the clock reads the time (the wall clock by default).
  void SetTimeSource(std::function<QTime()> source);
  QTime Time() const { return time_source_(); }
  // Called after every tick.
  std::function<void(AnalogClock&)> OnTimer;

  // The dial and the hour and minute hands for a time, without the seconds hand.
  QImage RenderFace(QTime time) const;
  // Draws (or, drawn a second time, removes) the seconds hand for a second.
  void DrawSecondsHand(QImage& image, int second) const;
  // The whole clock for a time, as the screen shows it.
  QImage Render(QTime time) const;

  // One tick at a time: the picture on screen follows it. Public for tests.
  void Tick(QTime now);
  const QImage& Shown() const { return shown_; }
  // Milliseconds until the next wake-up, -1 while stopped.
  int NextWake() const { return timer_.isActive() ? timer_.remainingTime() : -1; }
  int LastSecond() const { return last_second_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Invalidate();
  void Redraw(QTime now);
  void ScheduleWake();
  void ScheduleWake(QTime now);
  void Wake();

  QColor back_color_;
  QColor face_color_;
  QColor hands_color_;
  QColor outline_color_;
  QColor sec_hand_color_;
  QColor tick_color_;
  ClockShape shape_ = ClockShape::kCircle;
  bool show_seconds_ = true;
  int interval_ = 100;
  std::function<QTime()> time_source_;
  QTimer timer_;
  QImage shown_;           // face, hands and the seconds hand as on screen
  int last_second_ = -1;   // second of the seconds hand in shown_, -1 none
  int shown_minute_ = -1;  // minute the hands in shown_ point at
};

}  // namespace tw
