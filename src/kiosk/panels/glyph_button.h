// A panel button whose picture sits on a chosen side of its caption (the side panel's
// arrows: the Up arrow above its caption, Down below, Left and Right beside it).
#pragma once

#include "kiosk/panels/panel_button.h"

namespace tw {

enum class GlyphPosition { kLeft, kRight, kTop, kBottom };

class GlyphButton : public PanelButton {
  Q_OBJECT

 public:
  explicit GlyphButton(GlyphPosition position, QWidget* parent = nullptr) : PanelButton(parent), position_(position) {}

  GlyphPosition Position() const { return position_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  GlyphPosition position_;
};

}  // namespace tw
