// Where the kiosk's files are: its program folder (every relative name in the settings is
// read from there) and the log's folders in it.
#pragma once

#include <string>
#include <string_view>

#include "kiosk/core/log/activity_log.h"

namespace tw {

struct KioskPaths {
  std::string program_dir;  // with its trailing slash
  LogPaths log;

  std::string ProgramFile(std::string_view name) const { return program_dir + std::string(name); }
};

}  // namespace tw
