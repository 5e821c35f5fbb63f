// A progress meter with bevels, four directions and optional bitmap fill (the
// busy bar of the kiosk's left panel).
#pragma once

#include <QPixmap>

#include "widgets/meter_base.h"

namespace tw {

enum class TBevelType { btNone, btInset, btRaised };
enum class TBitmapDrawStyle { dsStretch, dsTile, dsTileInvert };
enum class TMeterStyle { msStandard };

class TNeatoMeter : public TMeterBase {
  Q_OBJECT

 public:
  explicit TNeatoMeter(QWidget* parent = nullptr);

  int BevelDepth() const { return bevel_depth_; }
  TBevelType BevelType() const { return bevel_type_; }
  const QPixmap& Bitmap() const { return bitmap_; }
  TBitmapDrawStyle BitmapDrawStyle() const { return draw_style_; }
  TMeterDirection Direction() const { return direction_; }
  TMeterStyle Style() const { return TMeterStyle::msStandard; }
  bool UseFontColor() const { return use_font_color_; }
  void SetBevelDepth(int depth);
  void SetBevelType(TBevelType type);
  void SetBitmap(const QPixmap& bitmap);  // copies the picture
  void SetBitmapDrawStyle(TBitmapDrawStyle style);
  void SetDirection(TMeterDirection direction);
  void SetUseFontColor(bool use);

  // The rectangle inside the border and bevels, where the meter itself is drawn.
  QRect MeterArea() const;

 protected:
  void PaintMeter(QPainter& painter, const QRect& area) const override;

 private:
  QRect Bevelled(QPainter* painter, QRect area) const;

  int bevel_depth_ = 1;
  TBevelType bevel_type_ = TBevelType::btInset;
  QPixmap bitmap_;
  TBitmapDrawStyle draw_style_ = TBitmapDrawStyle::dsStretch;
  TMeterDirection direction_ = TMeterDirection::mdLeftToRight;
  bool use_font_color_ = false;
};

}  // namespace tw
