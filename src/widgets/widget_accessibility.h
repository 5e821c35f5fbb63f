// How the kiosk's own painted widgets appear to screen readers (AT-SPI through Qt's
// accessibility): a key is a push button that can be pressed and, for a modifier, is
// checked while latched; the clock reads out the time it shows; the busy meter is a
// progress bar. Names come from the widgets (accessibleName), set where they are made.
#pragma once

class QAbstractButton;
class QString;

namespace tw {

// Once per program, before its windows are shown.
void InstallWidgetAccessibility();

// A button that may show only its picture: named by its caption, or by `name` while the
// caption is empty. Set before the button is first shown.
void SetSpokenName(QAbstractButton& button, const QString& name);

}  // namespace tw
