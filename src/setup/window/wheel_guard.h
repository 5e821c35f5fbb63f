// A drop-down list or spin box that the mouse passes over while the operator scrolls a
// page with the wheel would take the wheel and change its value unseen. A guarded control
// takes the wheel only while it has the focus; otherwise the wheel scrolls the page.
#pragma once

class QWidget;

namespace tw {

void TakeWheelOnlyWithFocus(QWidget* control);

}  // namespace tw
