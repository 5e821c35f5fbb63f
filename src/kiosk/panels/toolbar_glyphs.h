// The tool bar's built-in pictures: plain arrows and symbols, two frames side by side
// (normal, disabled), drawn at any size.
#pragma once

#include <QPixmap>
#include <string_view>

namespace tw {

// `kind` is the button's picture key: "Start", "Back", "Forward", "Help", "Print",
// "Email", "Stop", "Reload", "ZoomIn", "ZoomOut", "HighContrast", "Show", "Hide";
// anything else gets a plain dot.
// `size` is the side of one square frame in pixels.
QPixmap BuiltInGlyph(std::string_view kind, int size);

}  // namespace tw
