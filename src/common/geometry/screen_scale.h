// The factor by which every window multiplies its 800 x 600 design geometry.
#pragma once

#include <optional>
#include <string_view>

namespace tw {

// "A" = screen width / 800; "0".."5" = the fixed design resolutions 640 x 480 .. 1600 x 1200.
// Any other text selects no scale (std::nullopt): the caller decides what to do.
std::optional<double> ScreenScaleForMode(std::string_view screen_mode, int screen_width);

// The automatic scale for a screen width.
double AutomaticScreenScale(int screen_width);

}  // namespace tw
