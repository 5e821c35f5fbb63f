// `tarnwick --check-config`: both files read as the kiosk reads them, every problem listed
// with its file, section, key and value, so an operator or a fleet tool can check a
// configuration before rolling it out.
#pragma once

#include <string>
#include <vector>

namespace tw {

struct ConfigProblem {
  bool error = true;  // false: a warning (the kiosk runs, but not as the operator meant)
  std::string file;   // "Tarnwick.ini" or "TWLang.ini"
  std::string section;
  std::string key;
  std::string value;
  std::string what;

  // "error: Tarnwick.ini [ATTRACT] TimeStart=60s: '60s' is not a valid integer value"
  std::string Text() const;
};

// The problems of the configuration in `dir` (ending in "/"), errors and warnings in
// reading order: a missing or unreadable file and a value the kiosk cannot convert are
// errors; a file named by a setting that does not exist is a warning.
std::vector<ConfigProblem> CheckKioskConfiguration(const std::string& dir);

}  // namespace tw
