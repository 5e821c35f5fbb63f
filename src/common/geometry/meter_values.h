// The numbers behind a progress meter and how its area splits into the done part
// and the rest.
#pragma once

#include <cstdint>

#include "common/geometry/pixel_rect.h"

namespace tw {

// Total is never below 1; Completed stays within 0..Total; Percent is always
// Completed * 100 / Total (integer division).
class MeterValues {
 public:
  std::int32_t Total() const { return total_; }
  std::int32_t Completed() const { return completed_; }
  std::int32_t Percent() const { return percent_; }

  // Each returns whether anything changed.
  bool SetTotal(std::int32_t total);          // 0 or less stores 1
  bool SetCompleted(std::int32_t completed);  // limited to 0..Total
  bool SetPercent(std::int32_t percent);      // limited to 0..100, sets Completed from it

 private:
  void Recompute();

  std::int32_t total_ = 100;
  std::int32_t completed_ = 50;
  std::int32_t percent_ = 50;
};

enum class MeterDirection { kLeftToRight, kRightToLeft, kTopToBottom, kBottomToTop };

struct MeterSplit {
  PixelRect done;
  PixelRect rest;
};

// Splits the area: the done part's extent along the direction is
// extent * completed / total, placed at the side the meter fills from.
MeterSplit SplitMeter(const PixelRect& area, MeterDirection direction, std::int32_t completed, std::int32_t total);

}  // namespace tw
