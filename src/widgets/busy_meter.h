// A progress meter with bevels, four directions and optional bitmap fill (the
// busy bar of the kiosk's left panel).
#pragma once

#include <QPixmap>

#include "widgets/meter_base.h"

namespace tw {

enum class MeterBevel { kNone, kInset, kRaised };
enum class MeterBitmapStyle { kStretch, kTile, kTileInvert };
enum class MeterStyle { kStandard };

class BusyMeter : public MeterBase {
  Q_OBJECT

 public:
  explicit BusyMeter(QWidget* parent = nullptr);

  int BevelDepth() const { return bevel_depth_; }
  MeterBevel BevelType() const { return bevel_type_; }
  const QPixmap& Bitmap() const { return bitmap_; }
  MeterBitmapStyle BitmapDrawStyle() const { return draw_style_; }
  MeterDirection Direction() const { return direction_; }
  MeterStyle Style() const { return MeterStyle::kStandard; }
  bool UseFontColor() const { return use_font_color_; }
  void SetBevelDepth(int depth);
  void SetBevelType(MeterBevel type);
  void SetBitmap(const QPixmap& bitmap);  // copies the picture
  void SetBitmapDrawStyle(MeterBitmapStyle style);
  void SetDirection(MeterDirection direction);
  void SetUseFontColor(bool use);

  // The rectangle inside the border and bevels, where the meter itself is drawn.
  QRect MeterArea() const;

 protected:
  void PaintMeter(QPainter& painter, const QRect& area) const override;

 private:
  QRect Bevelled(QPainter* painter, QRect area) const;

  int bevel_depth_ = 1;
  MeterBevel bevel_type_ = MeterBevel::kInset;
  QPixmap bitmap_;
  MeterBitmapStyle draw_style_ = MeterBitmapStyle::kStretch;
  MeterDirection direction_ = MeterDirection::kLeftToRight;
  bool use_font_color_ = false;
};

}  // namespace tw
