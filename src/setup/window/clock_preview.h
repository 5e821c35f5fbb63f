// The live clock of the "Busy Bar & Clock" page: the banner bar's clock with the colours,
// shape and second hand of the page, as they are being edited.
#pragma once

#include <QWidget>

#include "setup/model/setup_config.h"

namespace tw {

class AnalogClock;

class ClockPreview : public QWidget {
  Q_OBJECT

 public:
  explicit ClockPreview(QWidget* parent);
  void Show(const SetupConfig& config);
  AnalogClock* clock() const { return clock_; }

 private:
  AnalogClock* clock_;
};

}  // namespace tw
