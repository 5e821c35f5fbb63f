#include "common/geometry/screen_scale.h"

namespace tw {

double AutomaticScreenScale(int screen_width) { return screen_width * 0.00125; }

std::optional<double> ScreenScaleForMode(std::string_view screen_mode, int screen_width) {
  if (screen_mode == "A") return AutomaticScreenScale(screen_width);
  if (screen_mode == "0") return 0.8;
  if (screen_mode == "1") return 1.0;
  if (screen_mode == "2") return 1.28;
  if (screen_mode == "3") return 1.44;
  if (screen_mode == "4") return 1.6;
  if (screen_mode == "5") return 2.0;
  return std::nullopt;
}

}  // namespace tw
