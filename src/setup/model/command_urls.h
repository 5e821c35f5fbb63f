// The addresses a custom button gets from the command list: "tw-command:print?" + the
// command password, "tw-command:custom4?" + password, "tw-command:execute?3",
// "mailto:". Side-panel custom buttons store the command number in BUTTONS/TWCommandN
// and the address in BUTTONS/CustomNURL; tool-bar custom buttons in BUTTONS/BCustomNTW
// and URLS/BCustomN.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "setup/model/setup_config.h"

namespace tw {

// Commands 1 to 5 and 7 to 14 carry the command password.
bool CommandCarriesPassword(int number);

// The address for command `number`; `chosen` is the 1-based custom button (command 4) or
// program (command 6). Empty for "NONE" and unknown numbers.
std::string CommandUrl(int number, std::string_view password, int chosen);

// The address key that goes with a command-number key (section, key); nothing for other keys.
std::optional<std::pair<std::string, std::string>> CommandUrlKey(std::string_view command_key);

// After the command password changed: every custom button whose command carries the
// password keeps its address up to and including the first "?" and gets the new password.
// Returns the number of addresses changed.
int ApplyCommandPassword(SetupConfig& config);

}  // namespace tw
