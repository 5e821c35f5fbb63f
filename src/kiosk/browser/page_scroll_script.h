// The script that scrolls the page with the focus by one line and says what it can scroll
// and where the caret is. Both browsers run it: the embedded one in a world of its own,
// the external one over its DevTools connection.
#pragma once

#include <optional>
#include <string>

#include "kiosk/browser/browser_parts.h"

namespace tw {

// One line of the arrows, in pixels.
inline constexpr int kPageScrollLinePixels = 20;

// The script for a direction (none: only looks) and a line of `line_pixels`. It evaluates
// to {caret: number or null, v: bool, h: bool}.
std::string PageScrollScript(std::optional<ScrollDirection> direction, int line_pixels);

}  // namespace tw
