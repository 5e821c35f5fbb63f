// The right frame panel: up to ten page buttons chosen by the operator and four arrows
// that scroll the page that has the keyboard focus. Arrows share their places with
// page buttons 7 to 10; an operator uses either.
#pragma once

#include <QFrame>
#include <QWidget>
#include <array>

#include "kiosk/core/frame/frame_layout.h"
#include "kiosk/core/settings/side_panel_config.h"
#include "kiosk/core/commands/panel_actions.h"
#include "platform/button_sound.h"

namespace tw {

class PanelButton;
class TiledBitmap;

class ArrowPanel : public QWidget {
  Q_OBJECT

 public:
  // Sets the buttons up with their settings, scaled; presses go to `events`.
  ArrowPanel(PanelEvents& events, const RightPanelConfig& config, double screen_scale, QWidget* parent = nullptr);

  void SetSoundPlayer(ButtonSoundPlayer* player);
  // The panel's and the arrows' places in the frame; page buttons show where they have
  // a URL while the keyboard is down.
  void ApplyLayout(const FrameLayout& layout);
  // What the page under the focus can scroll.
  void SetArrowsEnabled(bool vertical, bool horizontal);

  const RightPanelConfig& config() const { return config_; }
  PanelButton* Custom(int n) const { return custom_[static_cast<std::size_t>(n - 1)]; }
  PanelButton* Arrow(ScrollDirection d) const { return arrows_[static_cast<std::size_t>(d)]; }
  TiledBitmap* Background() const { return tiled_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void ApplySettings();

  PanelEvents& events_;
  double scale_;
  RightPanelConfig config_;
  TiledBitmap* tiled_ = nullptr;
  QFrame* bevel_ = nullptr;
  std::array<PanelButton*, kSidePanelCustomCount> custom_{};
  std::array<PanelButton*, 4> arrows_{};
  bool keyboard_shown_ = false;
};

// A built-in arrow picture: two square frames (normal, disabled) of `size` pixels.
QPixmap ArrowGlyph(ScrollDirection direction, int size);

}  // namespace tw
