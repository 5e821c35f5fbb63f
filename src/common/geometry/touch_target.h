// How large the kiosk's smallest button or key comes out on a screen. The frame is an
// 800-pixel-wide design scaled by the screen mode; its smallest targets, the keys of the
// on-screen keyboard, are 40 design pixels square. A finger needs about 9 mm.
#pragma once

#include <optional>
#include <string_view>

namespace tw {

inline constexpr int kSmallestTargetDesignPixels = 40;
inline constexpr double kSmallestComfortableTargetMm = 9.0;

struct ScreenSize {
  int width_px = 0;
  double width_mm = 0;  // 0: the screen does not say
};

// The smallest target's width in millimetres with this PREFERENCES/ScreenMode on this
// screen (an unknown mode lays the frame out for the screen, as the kiosk does);
// nullopt when the screen's size is not known.
std::optional<double> SmallestTargetMm(std::string_view screen_mode, const ScreenSize& screen);

}  // namespace tw
