#include "setup/model/command_urls.h"

#include <string>

#include "common/config/command_numbers.h"
#include "common/config/toolbar_buttons.h"

namespace tw {
namespace {

// Every command-number key with its address key.
std::vector<std::pair<std::string, std::pair<std::string, std::string>>> CommandKeys() {
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> keys;
  for (int n = 1; n <= 10; ++n) {
    keys.push_back({"TWCommand" + std::to_string(n), {"BUTTONS", "Custom" + std::to_string(n) + "URL"}});
  }
  for (const ToolbarButtonInfo& button : ToolbarButtons()) {
    if (button.has_url) keys.push_back({std::string(button.text_key) + "TW", {"URLS", std::string(button.text_key)}});
  }
  return keys;
}

// True when `url` still has the form the command list builds for command `number`:
// "tw-command:" + the command's word (for "custom" with a button number 1 to 10) + "?".
bool HasBuilderForm(int number, std::string_view url) {
  const ButtonCommandEntry* entry = FindButtonCommand(number);
  if (entry == nullptr) return false;
  const std::string prefix = "tw-command:" + std::string(entry->name);
  if (!url.starts_with(prefix)) return false;
  url.remove_prefix(prefix.size());
  if (entry->command == ButtonCommand::kCustom) {
    const std::size_t digits = url.find_first_not_of("0123456789");
    const std::string_view button = url.substr(0, digits);
    if (button.empty() || button.front() == '0' || button.size() > 2 || std::stoi(std::string(button)) > 10) {
      return false;
    }
    url.remove_prefix(button.size());
  }
  return url.starts_with('?');
}

constexpr std::string_view kExecutePrefix = "tw-command:execute?";

}  // namespace

bool CommandCarriesPassword(int number) { return (number >= 1 && number <= 5) || (number >= 7 && number <= 14); }

std::string CommandUrl(int number, std::string_view password, int chosen) {
  const ButtonCommandEntry* entry = FindButtonCommand(number);
  if (entry == nullptr || entry->command == ButtonCommand::kNone) return {};
  if (entry->command == ButtonCommand::kSendMail) return "mailto:";
  if (entry->command == ButtonCommand::kExecute) return "tw-command:execute?" + std::to_string(chosen);
  std::string url = "tw-command:" + std::string(entry->name);
  if (entry->command == ButtonCommand::kCustom) url += std::to_string(chosen);
  return url + "?" + std::string(password);
}

std::optional<std::pair<std::string, std::string>> CommandUrlKey(std::string_view command_key) {
  for (const auto& [key, url] : CommandKeys()) {
    if (SameName(key, command_key)) return url;
  }
  return std::nullopt;
}

int ApplyCommandPassword(SetupConfig& config) {
  const std::string& password = config.Value("PREFERENCES", "CommandPassword");
  int changed = 0;
  for (const auto& [key, url_key] : CommandKeys()) {
    const auto number = config.Integer("BUTTONS", key);
    if (!number || !CommandCarriesPassword(*number)) continue;
    const std::string& url = config.Value(url_key.first, url_key.second);
    // An address the operator typed in place of the built one is theirs to keep.
    if (!HasBuilderForm(*number, url)) continue;
    const auto mark = url.find('?');
    const std::string rewritten = url.substr(0, mark + 1) + password;
    if (rewritten == url) continue;
    config.SetValue(url_key.first, url_key.second, rewritten);
    ++changed;
  }
  return changed;
}

std::vector<std::pair<std::string, std::string>> CustomButtonUrlKeys() {
  std::vector<std::pair<std::string, std::string>> urls;
  for (const auto& [key, url] : CommandKeys()) urls.push_back(url);
  return urls;
}

std::optional<int> ExecutedProgram(std::string_view url) {
  if (!url.starts_with(kExecutePrefix)) return std::nullopt;
  url.remove_prefix(kExecutePrefix.size());
  const std::string_view number = url.substr(0, url.find('#'));
  if (number.empty() || number.size() > 9 || number.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  return std::stoi(std::string(number));
}

int RenumberProgramAddresses(SetupConfig& config, const std::vector<std::optional<std::size_t>>& moves) {
  int changed = 0;
  for (const auto& [section, key] : CustomButtonUrlKeys()) {
    const std::string& url = config.Value(section, key);
    const auto program = ExecutedProgram(url);
    if (!program || *program < 1 || static_cast<std::size_t>(*program) > moves.size()) continue;
    const auto& now = moves[static_cast<std::size_t>(*program - 1)];
    const int renumbered = now ? static_cast<int>(*now) + 1 : 0;
    if (renumbered == *program) continue;
    const auto hash = url.find('#');
    const std::string parameters = hash == std::string::npos ? std::string() : url.substr(hash);
    config.SetValue(section, key, std::string(kExecutePrefix) + std::to_string(renumbered) + parameters);
    ++changed;
  }
  return changed;
}

}  // namespace tw
