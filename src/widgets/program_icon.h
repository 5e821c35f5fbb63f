// The programs' picture, for the window manager, the task bar and the Setup Manager's tray
// entry (which shows nothing without one). Drawn, so that no file has to be found.
#pragma once

#include <QIcon>

namespace tw {

QIcon ProgramIcon();

}  // namespace tw
