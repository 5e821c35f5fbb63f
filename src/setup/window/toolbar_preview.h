// The tool bar as the kiosk will show it, on the Buttons page: each button in its slot
// with its caption and picture, following the page's edits. It reads the configuration
// with the kiosk's own reader and lays the buttons out with the kiosk's own code.
#pragma once

#include <QWidget>
#include <array>

#include "kiosk/core/frame/toolbar_layout.h"
#include "setup/model/setup_config.h"

namespace tw {

class PanelButton;
class TiledBitmap;

class ToolbarPreview : public QWidget {
  Q_OBJECT

 public:
  // The preview's size against the kiosk's design size of 800 pixels.
  static constexpr double kScale = 0.7;

  explicit ToolbarPreview(QWidget* parent);
  void Show(const SetupConfig& config);

  PanelButton* button(ToolbarButtonId id) const { return buttons_[static_cast<std::size_t>(id)]; }

 private:
  TiledBitmap* background_;
  std::array<PanelButton*, kToolbarButtonCount> buttons_{};
};

}  // namespace tw
