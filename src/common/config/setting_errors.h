// Settings that could not be read. A reader that meets a value it cannot convert
// records it here, uses what it uses when the key is absent, and goes on with the
// next key: one bad value costs that value only.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class ProfileFile;

inline constexpr std::string_view kDefaultUsed = "the default is used";

struct SettingError {
  std::string file;  // the file's name without its folder: "Tarnwick.ini"
  std::string section;
  std::string key;
  std::string value;
  std::string problem;  // the conversion error's text
  std::string outcome;  // what the reader does instead: "the default is used"

  // "Setting [BUTTONS] BStartOn=5a in Tarnwick.ini: '5a' is not a valid integer value
  // - the default is used"
  std::string Text() const;
  bool operator==(const SettingError&) const = default;
};

class SettingErrors {
 public:
  // An integer key, converted strictly. An absent or blank value gives the default (a
  // blank field left by an editor is "not set"); any other text that is not a number
  // gives the default too, and is recorded.
  int Integer(const ProfileFile& file, std::string_view section, std::string_view key, int default_value);
  // An integer that has to be there (a list entry's time): absent, blank or not a
  // number gives nothing and is recorded with `outcome`.
  std::optional<int> RequiredInteger(const ProfileFile& file, std::string_view section, std::string_view key,
                                     std::string_view outcome);
  // A value of `file` that failed in another way; `problem` is the error's text.
  void Add(const ProfileFile& file, std::string_view section, std::string_view key, std::string_view value,
           std::string_view problem, std::string_view outcome = kDefaultUsed);
  void Append(const SettingErrors& other);

  const std::vector<SettingError>& list() const { return list_; }
  bool empty() const { return list_.empty(); }
  std::size_t size() const { return list_.size(); }

 private:
  std::vector<SettingError> list_;
};

// One short line for the error dialog about these errors: how many, in which file.
// "2 bad settings in Tarnwick.ini - see log"
std::string SettingErrorsSummary(const std::vector<SettingError>& errors);

}  // namespace tw
