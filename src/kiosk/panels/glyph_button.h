// A panel button whose picture sits on a chosen side of its caption (the side panel's
// arrows: the Up arrow above its caption, Down below, Left and Right beside it).
#pragma once

#include "kiosk/panels/speed_button.h"

namespace tw {

enum class GlyphPosition { kLeft, kRight, kTop, kBottom };

class TGlyphButton : public TSpeedButton {
  Q_OBJECT

 public:
  explicit TGlyphButton(GlyphPosition position, QWidget* parent = nullptr)
      : TSpeedButton(parent), position_(position) {}

  GlyphPosition Position() const { return position_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  GlyphPosition position_;
};

}  // namespace tw
