// How a tool-bar button shows its settings: caption, picture strip (the built-in picture
// when the file is missing or cannot be read), slot and visibility. The kiosk's tool bar
// and the Setup Manager's preview of it both use this, so the preview shows what the
// kiosk will.
#pragma once

#include "kiosk/core/frame/toolbar_layout.h"

namespace tw {

class PanelButton;

inline constexpr int kToolbarGlyphSize = 24;  // design pixels of one built-in picture frame

// Places the button at design size (the form scales it afterwards); the built-in picture
// is drawn for `screen_scale`.
void ShowToolbarButtonSettings(PanelButton& button, const ToolbarButtonInfo& info, const ToolbarButtonConfig& config,
                               double screen_scale);

}  // namespace tw
