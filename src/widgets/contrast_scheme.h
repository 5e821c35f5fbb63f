// The high-contrast look a visitor can switch on for the kiosk's own windows: white and
// yellow on black, pictures inked in white. A window and everything in it take the
// scheme's palette; painters that draw their own colours ask InHighContrast.
#pragma once

#include <QPalette>
#include <QPixmap>

class QWidget;

namespace tw {

// Every widget of the window takes the scheme's palette (on) or its own again (off).
void SetHighContrast(QWidget& window, bool on);
bool InHighContrast(const QWidget& widget);
QPalette HighContrastPalette();
// The picture's shape in the scheme's ink: a dark glyph stays visible on black.
QPixmap InkedForContrast(const QPixmap& picture, const QColor& ink);

}  // namespace tw
