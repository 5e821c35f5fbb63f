#include "common/config/command_numbers.h"

#include <array>

namespace tw {
namespace {

constexpr std::array kCommands = std::to_array<ButtonCommandEntry>({
    {0, ButtonCommand::kNone, "NONE"},
    {1, ButtonCommand::kBack, "back"},
    {2, ButtonCommand::kBanner, "banner"},
    {3, ButtonCommand::kClose, "close"},
    {4, ButtonCommand::kCustom, "custom"},
    {5, ButtonCommand::kEmail, "email"},
    {6, ButtonCommand::kExecute, "execute"},
    {7, ButtonCommand::kFeedback, "feedback"},
    {8, ButtonCommand::kForward, "forward"},
    {9, ButtonCommand::kHelp, "help"},
    {10, ButtonCommand::kHide, "hide"},
    {11, ButtonCommand::kLogo, "logo"},
    {12, ButtonCommand::kPrint, "print"},
    {13, ButtonCommand::kShow, "show"},
    {14, ButtonCommand::kStart, "start"},
    {15, ButtonCommand::kSendMail, "Send Mail"},
});

}  // namespace

std::span<const ButtonCommandEntry> ButtonCommands() { return kCommands; }

const ButtonCommandEntry* FindButtonCommand(int number) {
  for (const ButtonCommandEntry& entry : kCommands) {
    if (entry.number == number) return &entry;
  }
  return nullptr;
}

const ButtonCommandEntry* FindButtonCommand(std::string_view name) {
  for (const ButtonCommandEntry& entry : kCommands) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace tw
