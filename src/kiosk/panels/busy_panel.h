// The left frame panel: the busy bar, a vertical meter that pulses while a page or a
// mail transfer loads.
#pragma once

#include <QFrame>
#include <QWidget>

#include "kiosk/core/frame/frame_layout.h"
#include "kiosk/core/settings/side_panel_config.h"
#include "kiosk/core/commands/panel_actions.h"

namespace tw {

class BusyMeter;
class TiledBitmap;

class BusyPanel : public QWidget {
  Q_OBJECT

 public:
  // A press on the panel goes to `events`.
  BusyPanel(PanelEvents& events, const LeftPanelConfig& config, QWidget* parent = nullptr);
  // The panel's and the meter's places in the frame (they change with the keyboard).
  void ApplyLayout(const FrameLayout& layout);

  // The meter at a value (0 to 100), shown; hidden again when nothing loads.
  void ShowBusy(int percent);
  void HideBusy();

  const LeftPanelConfig& config() const { return config_; }
  BusyMeter* Meter() const { return meter_; }
  TiledBitmap* Background() const { return tiled_; }
  QFrame* Bevel() const { return bevel_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  PanelEvents& events_;
  LeftPanelConfig config_;
  TiledBitmap* tiled_ = nullptr;
  QFrame* bevel_ = nullptr;
  BusyMeter* meter_ = nullptr;
};

}  // namespace tw
