#include "kiosk/panels/busy_panel.h"

#include <QMouseEvent>

#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/picture_box.h"
#include "widgets/busy_meter.h"
#include "widgets/tiled_bitmap.h"

namespace tw {

BusyPanel::BusyPanel(PanelEvents& events, const LeftPanelConfig& config, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      events_(events),
      config_(config) {
  setObjectName("FormLeft");
  setAccessibleName("Busy bar");
  setWindowTitle("FormLeft");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  setGeometry(0, 60, 25, 483);
  tiled_ = new TiledBitmap(this);
  tiled_->setObjectName("TiledBitmap");
  bevel_ = new QFrame(this);
  bevel_->setObjectName("Bevel");
  bevel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  meter_ = new BusyMeter(this);
  meter_->setObjectName("Meter");
  meter_->setAccessibleName("Page loading");
  meter_->SetDirection(MeterDirection::kTopToBottom);
  meter_->SetShowPercent(false);
  meter_->SetBevelType(MeterBevel::kNone);
  meter_->SetBitmapDrawStyle(MeterBitmapStyle::kTileInvert);
  meter_->SetTotal(100);
  meter_->hide();
  for (QWidget* w : {static_cast<QWidget*>(tiled_), static_cast<QWidget*>(bevel_), static_cast<QWidget*>(meter_)}) {
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  if (PictureFileExists(config_.background)) tiled_->SetBitmap(QPixmap(QString::fromStdString(config_.background)));
  const QPalette& p = palette();
  meter_->SetForeColor(ColourFromValue(config_.top_colour, p));
  meter_->SetBackColor(ColourFromValue(config_.bottom_colour, p));
  if (PictureFileExists(config_.meter_graphic))
    meter_->SetBitmap(QPixmap(QString::fromStdString(config_.meter_graphic)));
}

void BusyPanel::ApplyLayout(const FrameLayout& layout) {
  setGeometry(ToQRect(layout.left_panel));
  const int w = layout.left_panel.width;
  const int h = layout.left_panel.height;
  tiled_->setGeometry(0, 0, w, h);
  // The bevel reaches past the top and bottom: only its sides show.
  bevel_->setGeometry(0, -10, w, h + 20);
  meter_->setGeometry(ToQRect(layout.busy_meter));
}

void BusyPanel::ShowBusy(int percent) {
  meter_->SetCompleted(percent);
  meter_->show();
}

void BusyPanel::HideBusy() { meter_->hide(); }

void BusyPanel::mousePressEvent(QMouseEvent*) { events_.BackgroundPressed(false); }

}  // namespace tw
