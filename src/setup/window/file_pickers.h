// The "..." buttons: file and colour dialogs that start from a field's value and give
// back the value to write.
#pragma once

#include <QString>
#include <optional>

#include "setup/model/setup_fields.h"

class QWidget;

namespace tw {

// A file chosen with the picker's title and filter, starting in the folder of `current`
// (a path, or for `local_url` a "file:" URL). The result is the full path, or the local
// URL of the chosen file for `local_url`. Nothing when the operator cancels.
std::optional<QString> PickFile(QWidget* parent, Picker picker, const QString& current, bool local_url);

// A colour chosen starting from `current` ("$00BBGGRR"); the result in the same form.
std::optional<QString> PickColour(QWidget* parent, const QString& current);

}  // namespace tw
