#include "setup/window/clock_preview.h"

#include <QHBoxLayout>

#include "setup/model/colour_value.h"
#include "widgets/analog_clock.h"

namespace tw {
namespace {

QColor Colour(const SetupConfig& config, const char* key) {
  const Rgb rgb = RgbFromColourValue(config.Value("CLOCK", key));
  return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

ClockPreview::ClockPreview(QWidget* parent) : QWidget(parent), clock_(new AnalogClock(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  clock_->setFixedSize(96, 96);
  layout->addWidget(clock_);
  layout->addStretch();
}

void ClockPreview::Show(const SetupConfig& config) {
  clock_->SetBackColor(Colour(config, "BackColour"));
  clock_->SetFaceColor(Colour(config, "FaceColour"));
  clock_->SetOutlineColor(Colour(config, "OutlineColour"));
  clock_->SetSecHandColor(Colour(config, "SecHandColour"));
  // The tick colour also colours the hands.
  clock_->SetTickColor(Colour(config, "TickColour"));
  clock_->SetHandsColor(Colour(config, "TickColour"));
  clock_->SetShape(config.Integer("CLOCK", "Shape").value_or(0) == 1 ? ClockShape::kSquare : ClockShape::kCircle);
  clock_->SetShowSeconds(config.Flag("CLOCK", "ShowSeconds"));
  clock_->setVisible(config.Flag("PREFERENCES", "ShowClock"));
}

}  // namespace tw
