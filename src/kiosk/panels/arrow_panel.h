// The right frame panel: up to ten page buttons chosen by the operator and four arrows
// that scroll the page that has the keyboard focus. Arrows share their places with
// page buttons 7 to 10; an operator uses either.
#pragma once

#include <QFrame>
#include <QWidget>
#include <array>

#include "kiosk/core/frame_layout.h"
#include "kiosk/core/side_panel_config.h"
#include "kiosk/panels/frame_panel_host.h"
#include "platform/button_sound.h"

namespace tw {

class PanelButton;
class TiledBitmap;

class ArrowPanel : public QWidget {
  Q_OBJECT

 public:
  ArrowPanel(FramePanelHost& host, std::string config_file, double screen_scale, QWidget* parent = nullptr);

  void SetSoundPlayer(ButtonSoundPlayer* player);
  // Reads the settings and sets the buttons up; a value that cannot be converted has its
  // default and is kept in setting_errors() for the kiosk to report.
  void FormCreate();
  // The panel's and the arrows' places in the frame; page buttons show where they have
  // a URL while the keyboard is down.
  void ApplyLayout(const FrameLayout& layout);
  // What the page under the focus can scroll.
  void SetArrowsEnabled(bool vertical, bool horizontal);

  // Page button n (1 to 10): its page, then the exit password.
  void BCustomClick(int n);
  // Any arrow's click: the exit password only (the scrolling follows press and release).
  void BDirectionClick(ScrollDirection direction);

  const RightPanelConfig& config() const { return config_; }
  const SettingErrors& setting_errors() const { return setting_errors_; }
  PanelButton* Custom(int n) const { return custom_[static_cast<std::size_t>(n - 1)]; }
  PanelButton* Arrow(ScrollDirection d) const { return arrows_[static_cast<std::size_t>(d)]; }
  TiledBitmap* Background() const { return tiled_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  FramePanelHost& host_;
  std::string config_file_;
  double scale_;
  RightPanelConfig config_;
  SettingErrors setting_errors_;
  TiledBitmap* tiled_ = nullptr;
  QFrame* bevel_ = nullptr;
  std::array<PanelButton*, kSidePanelCustomCount> custom_{};
  std::array<PanelButton*, 4> arrows_{};
  bool keyboard_shown_ = false;
};

// A built-in arrow picture: two square frames (normal, disabled) of `size` pixels.
QPixmap ArrowGlyph(ScrollDirection direction, int size);

}  // namespace tw
