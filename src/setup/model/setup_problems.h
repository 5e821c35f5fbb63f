// What is wrong with a configuration before the kiosk finds out. Errors block a save
// (the kiosk would misread the value); warnings are told but do not block it.
#pragma once

#include <string>
#include <vector>

#include "common/geometry/touch_target.h"
#include "setup/model/setup_config.h"

namespace tw {

enum class ProblemSeverity { kError, kWarning };

struct SetupProblem {
  ProblemSeverity severity;
  int page;             // tab index; -1 for a key no page shows
  std::string field;    // the field's caption, or "[SECTION] Key"
  std::string section;  // the key's section, the list's first section, or "MESSAGES"
  std::string key;      // the key; for a list item, the item's key ("URL3")
  std::string text;

  bool operator==(const SetupProblem&) const = default;
};

// `screen`: the screen the kiosk will run on, when known (the Setup Manager runs on the
// kiosk's own); the size of the kiosk's buttons and keys there is checked too.
std::vector<SetupProblem> ValidateSetup(const SetupConfig& config, const ScreenSize& screen = {});
bool HasErrors(const std::vector<SetupProblem>& problems);

}  // namespace tw
