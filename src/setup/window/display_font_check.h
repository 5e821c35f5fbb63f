// The display font check that OK runs before saving: when the X server's font resolution
// would scale the kiosk's windows, offer to set it to 96 (on the server, for programs
// started from now on, and in ~/.Xresources, for the next session), and say what happened.
#pragma once

class QWidget;

namespace tw {

void RunDisplayFontCheck(QWidget* parent);

}  // namespace tw
