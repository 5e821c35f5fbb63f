// The ring around a button or key that has the keyboard focus: yellow inside a black
// edge, seen on light and dark panels and in the high-contrast look alike.
#pragma once

class QPainter;
class QWidget;

namespace tw {

// Draws it when the widget has the focus; nothing otherwise.
void DrawFocusRing(QPainter& painter, const QWidget& widget);

}  // namespace tw
