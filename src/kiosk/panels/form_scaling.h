// Scaling a window designed for 800 x 600 to the real screen.
#pragma once

#include <QWidget>

#include "common/geometry/scaled_geometry.h"

namespace tw {

QRect ToQRect(const Rect& r);
// Multiplies the geometry of every direct child widget by the scale, rounding each value.
void ScaleControls(QWidget* form, double screen_scale);

}  // namespace tw
