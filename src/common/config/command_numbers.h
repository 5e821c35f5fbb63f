// The command list of the Setup Manager's custom-button pages. BUTTONS/TWCommand1..10
// and BCustom1TW..BCustom5TW store the number of the chosen entry so that the page can
// show it again; the button's URL is stored separately.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tw {

enum class ButtonCommand {
  kNone = 0,
  kBack = 1,
  kBanner = 2,
  kClose = 3,
  kCustom = 4,
  kEmail = 5,
  kExecute = 6,
  kFeedback = 7,
  kForward = 8,
  kHelp = 9,
  kHide = 10,
  kLogo = 11,
  kPrint = 12,
  kShow = 13,
  kStart = 14,
  kSendMail = 15,
};

struct ButtonCommandEntry {
  int number;
  ButtonCommand command;
  std::string_view name;  // as the command list shows it
};

// All entries, 0 "NONE" to 15 "Send Mail".
std::span<const ButtonCommandEntry> ButtonCommands();

// The entry with this stored number; none outside 0..15.
const ButtonCommandEntry* FindButtonCommand(int number);
// The entry with exactly this name.
const ButtonCommandEntry* FindButtonCommand(std::string_view name);

}  // namespace tw
