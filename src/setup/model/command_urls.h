// The addresses a custom button gets from the command list: "tw-command:print?" + the
// command password, "tw-command:custom4?" + password, "tw-command:execute?3",
// "mailto:". Side-panel custom buttons store the command number in BUTTONS/TWCommandN
// and the address in BUTTONS/CustomNURL; tool-bar custom buttons in BUTTONS/BCustomNTW
// and URLS/BCustomN.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "setup/model/setup_config.h"

namespace tw {

// Commands 1 to 5 and 7 to 14 carry the command password.
bool CommandCarriesPassword(int number);

// The address for command `number`; `chosen` is the 1-based custom button (command 4) or
// program (command 6). Empty for "NONE" and unknown numbers.
std::string CommandUrl(int number, std::string_view password, int chosen);

// The address key that goes with a command-number key (section, key); nothing for other keys.
std::optional<std::pair<std::string, std::string>> CommandUrlKey(std::string_view command_key);

// After the command password changed: every custom button (side panel and tool bar) whose
// command carries the password and whose address still has the form the command list
// built ("tw-command:print?...", "tw-command:custom4?...") keeps its address up to and
// including the first "?" and gets the new password. Other addresses are left alone.
// Returns the number of addresses changed.
int ApplyCommandPassword(SetupConfig& config);

// Every custom button's address, side panel and tool bar: (section, key) pairs.
std::vector<std::pair<std::string, std::string>> CustomButtonUrlKeys();

// The program an address "tw-command:execute?N" (or "...?N#parameters") runs: N, 1-based;
// nothing for other addresses.
std::optional<int> ExecutedProgram(std::string_view url);

// After the program list changed: `moves` tells where each program (by its position
// before) is now, nothing for one deleted. Every custom button's "tw-command:execute?N"
// address is renumbered to keep running the same program; one whose program was deleted
// gets program 0, which runs nothing and which the validation reports. Returns the number
// of addresses changed.
int RenumberProgramAddresses(SetupConfig& config, const std::vector<std::optional<std::size_t>>& moves);

}  // namespace tw
