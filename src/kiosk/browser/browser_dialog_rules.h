// How the kiosk answers the browser's dialog boxes: by title, with a log line for each,
// leaving alone only message boxes whose text starts with one of the operator's strings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kiosk/browser/browser_engine.h"

namespace tw {

enum class DialogButton { kNone, kOk, kCancel, kNo };

struct DialogDecision {
  DialogButton button = DialogButton::kNone;  // kNone: leave the dialog alone
  std::vector<std::string> log_lines;
};

// True when `dialog_text` begins with one of the child strings (case-sensitive). A text
// that shows a protocol got past the block list adds a warning line to `log_lines`.
bool MatchesChildString(std::string_view dialog_text, const std::vector<std::string>& child_strings,
                        std::vector<std::string>& log_lines);

// The rule for the embedded browser's dialog boxes, by window title.
DialogDecision EmbeddedDialogRule(std::string_view title, std::string_view dialog_text,
                                  const std::vector<std::string>& child_strings);

// The title under which each of the engine's own dialogs is handled (empty: none; such
// requests are refused by the host with a line of their own).
std::string_view DialogTitleFor(BrowserDialogKind kind);

}  // namespace tw
