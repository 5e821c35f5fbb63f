#include "setup/model/command_urls.h"

#include "common/command_numbers.h"

namespace tw {
namespace {

// Every command-number key with its address key.
std::vector<std::pair<std::string, std::pair<std::string, std::string>>> CommandKeys() {
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> keys;
  for (int n = 1; n <= 10; ++n) {
    keys.push_back({"TWCommand" + std::to_string(n), {"BUTTONS", "Custom" + std::to_string(n) + "URL"}});
  }
  for (int n = 1; n <= 5; ++n) {
    keys.push_back({"BCustom" + std::to_string(n) + "TW", {"URLS", "BCustom" + std::to_string(n)}});
  }
  return keys;
}

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
    const auto mark = url.find('?');
    if (mark == std::string::npos) continue;
    const std::string rewritten = url.substr(0, mark + 1) + password;
    if (rewritten == url) continue;
    config.SetValue(url_key.first, url_key.second, rewritten);
    ++changed;
  }
  return changed;
}

}  // namespace tw
