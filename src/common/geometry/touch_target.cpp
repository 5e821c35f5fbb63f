#include "common/geometry/touch_target.h"

#include "common/geometry/screen_scale.h"

namespace tw {

std::optional<double> SmallestTargetMm(std::string_view screen_mode, const ScreenSize& screen) {
  if (screen.width_px <= 0 || screen.width_mm <= 0) return std::nullopt;
  const double scale = ScreenScaleForMode(screen_mode, screen.width_px).value_or(AutomaticScreenScale(screen.width_px));
  return kSmallestTargetDesignPixels * scale * screen.width_mm / screen.width_px;
}

}  // namespace tw
