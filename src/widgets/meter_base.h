// The base of progress meters: total, completed and percentage with their rules,
// colours, caption and border. Subclasses paint the picture into an image, which
// is then shown in one step (no flicker).
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include "common/geometry/meter_values.h"

namespace tw {

enum class MeterBorder { kNone, kSingle };

class MeterBase : public QWidget {
  Q_OBJECT

 public:
  explicit MeterBase(QWidget* parent = nullptr);

  std::int32_t Total() const { return values_.Total(); }
  std::int32_t Completed() const { return values_.Completed(); }
  std::int32_t Percent() const { return values_.Percent(); }
  void SetTotal(std::int32_t total);
  void SetCompleted(std::int32_t completed);
  void SetPercent(std::int32_t percent);

  QColor BackColor() const { return back_color_; }
  QColor ForeColor() const { return fore_color_; }
  MeterBorder BorderStyle() const { return border_style_; }
  const QString& Caption() const { return caption_; }
  bool ShowPercent() const { return show_percent_; }
  void SetBackColor(const QColor& colour);
  void SetForeColor(const QColor& colour);
  void SetBorderStyle(MeterBorder style);
  void SetCaption(const QString& caption);
  void SetShowPercent(bool show);

  // The text shown: the caption, else the percentage ("50%") when shown, else nothing.
  QString Text() const;

  // The whole picture at the control's size.
  QImage Render() const;

 protected:
  virtual void PaintMeter(QPainter& painter, const QRect& area) const = 0;
  void paintEvent(QPaintEvent* event) override;
  // Repaints when a change altered the picture.
  void Changed(bool changed);

 private:
  MeterValues values_;
  QColor back_color_ = Qt::white;
  QColor fore_color_ = QColor(0, 0, 255);
  MeterBorder border_style_ = MeterBorder::kNone;
  QString caption_;
  bool show_percent_ = true;
};

}  // namespace tw
