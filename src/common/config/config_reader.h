// Tarnwick.ini's keys as the kiosk reads them: the value when it is there, the key table's
// kiosk default when it is not, so that every default is written once (config_keys.cpp).
#pragma once

#include <string>
#include <string_view>

#include "common/config/config_keys.h"
#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"

namespace tw {

class ConfigReader {
 public:
  // A value that cannot be converted is recorded in `errors`; the default is used.
  ConfigReader(const ProfileFile& file, SettingErrors& errors) : file_(file), errors_(errors) {}

  std::string String(std::string_view section, std::string_view key) const;
  bool Bool(std::string_view section, std::string_view key) const;
  // Converted strictly (see SettingErrors::Integer).
  int Integer(std::string_view section, std::string_view key) const;

 private:
  // The table's entry; a key the table lacks is a fault of the program, not of the file
  // (std::logic_error), so that no reader can keep a default of its own.
  static const ConfigKey& Key(std::string_view section, std::string_view key);

  const ProfileFile& file_;
  SettingErrors& errors_;
};

}  // namespace tw
