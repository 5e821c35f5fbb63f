#include "common/config/setting_errors.h"

#include <algorithm>

#include "common/config/profile_file.h"

namespace tw {
namespace {

std::string FileName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

std::string SettingError::Text() const {
  return "Setting [" + section + "] " + key + "=" + value + " in " + file + ": " + problem + " - " + outcome;
}

int SettingErrors::Integer(const ProfileFile& file, std::string_view section, std::string_view key, int default_value) {
  const std::string text = file.ReadString(section, key, "");
  if (Blank(text)) return default_value;
  if (const auto value = ParseProfileInteger(text)) return *value;
  Add(file, section, key, text, ConversionError(text).what());
  return default_value;
}

std::optional<int> SettingErrors::RequiredInteger(const ProfileFile& file, std::string_view section,
                                                  std::string_view key, std::string_view outcome) {
  const std::string text = file.ReadString(section, key, "");
  if (const auto value = ParseProfileInteger(text)) return *value;
  Add(file, section, key, text, ConversionError(text).what(), outcome);
  return std::nullopt;
}

void SettingErrors::Add(const ProfileFile& file, std::string_view section, std::string_view key, std::string_view value,
                        std::string_view problem, std::string_view outcome) {
  SettingError error{FileName(file.path()), std::string(section), std::string(key),
                     std::string(value),    std::string(problem), std::string(outcome)};
  // Keys that two controls share (Back and the e-mail window's Back2) are read twice.
  if (std::find(list_.begin(), list_.end(), error) == list_.end()) list_.push_back(std::move(error));
}

void SettingErrors::Append(const SettingErrors& other) {
  list_.insert(list_.end(), other.list_.begin(), other.list_.end());
}

std::string SettingErrorsSummary(const std::vector<SettingError>& errors) {
  std::vector<std::string> files;
  for (const SettingError& e : errors) {
    if (std::find(files.begin(), files.end(), e.file) == files.end()) files.push_back(e.file);
  }
  // Short enough for the error dialog's one line; the log has the details.
  std::string text = std::to_string(errors.size()) + (errors.size() == 1 ? " bad setting in " : " bad settings in ");
  text += files.size() == 1 ? files.front() : std::to_string(files.size()) + " files";
  return text + " - see log";
}

}  // namespace tw
