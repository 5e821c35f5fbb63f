// The banner bar across the top of the screen: the analog clock, the rotating banner
// and the operator's logo, each in its frame. A click on the banner or the logo opens
// its page; a click on the clock ends the kiosk while the keyboard's Exit buttons are
// shown. Every click also feeds the exit password.
#pragma once

#include <QFrame>
#include <QWidget>
#include <memory>

#include "kiosk/core/attract/banner_rotation.h"
#include "kiosk/core/commands/panel_actions.h"

namespace tw {

class AnalogClock;
class PictureBox;
class TiledBitmap;

class BannerBar : public QWidget {
  Q_OBJECT

 public:
  // Lays the bar out, scaled, with its settings; a picture that cannot be read is
  // reported as a press event, and the rest goes on. Presses go to `events`.
  BannerBar(PanelEvents& events, const BannerBarConfig& config, double screen_scale, QWidget* parent = nullptr);
  ~BannerBar() override;

  // One second of the rotation (while idle mode is off).
  void AdvanceBanner();
  void BannerClick();
  void ImageClick();
  void AnalogClockClick();

  const BannerRotation& rotation() const { return *rotation_; }
  const BannerBarConfig& config() const { return config_; }
  AnalogClock* Clock() const { return clock_; }
  PictureBox* Banner() const { return banner_; }
  PictureBox* Image() const { return image_; }
  QWidget* Block1() const { return block1_; }
  QWidget* Block2() const { return block2_; }
  QFrame* Bevel3() const { return bevel3_; }
  TiledBitmap* Background() const { return tiled_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowBanner(std::size_t index);
  // The banner's name for screen readers: the operator's description of it, or "Banner".
  void DescribeBanner(std::size_t index);
  void LoadPicture(PictureBox* box, const std::string& file);
  void ApplyClockSettings();

  PanelEvents& events_;
  BannerBarConfig config_;
  std::unique_ptr<BannerRotation> rotation_;
  TiledBitmap* tiled_ = nullptr;
  QWidget* block1_ = nullptr;
  QWidget* block2_ = nullptr;
  QFrame* bevel3_ = nullptr;
  AnalogClock* clock_ = nullptr;
  PictureBox* banner_ = nullptr;
  PictureBox* image_ = nullptr;
};

// The placeholder pictures shown until the operator's own load.
QPixmap BuiltInBanner(QSize size);
QPixmap BuiltInLogo(QSize size);
// The banner picture for a file that is missing: yellow text centred on black.
QPixmap CannotLoadBannerPicture(QSize size, const QFont& font, const std::string& file);

}  // namespace tw
