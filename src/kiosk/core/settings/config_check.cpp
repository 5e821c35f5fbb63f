#include "kiosk/core/settings/config_check.h"

#include <unistd.h>

#include <fstream>

#include <algorithm>

#include "common/config/config_keys.h"
#include "common/config/profile_file.h"
#include "kiosk/core/settings/kiosk_settings.h"
#include "setup/model/setup_files.h"
#include "setup/model/setup_problems.h"

namespace tw {
namespace {

bool Readable(const std::string& path) { return std::ifstream(path, std::ios::binary).good(); }

bool Reported(const std::vector<ConfigProblem>& problems, std::string_view section, std::string_view key) {
  return std::any_of(problems.begin(), problems.end(), [&](const ConfigProblem& p) {
    return !key.empty() && SameName(p.section, section) && SameName(p.key, key);
  });
}

}  // namespace

std::string ConfigProblem::Text() const {
  std::string text = (error ? "error: " : "warning: ") + file;
  if (!section.empty()) text += " [" + section + "] " + key + "=" + value;
  return text + ": " + what;
}

std::vector<ConfigProblem> CheckKioskConfiguration(const std::string& dir) {
  std::vector<ConfigProblem> problems;
  const std::string ini_path = dir + "Tarnwick.ini";
  const std::string language_path = dir + "TWLang.ini";
  // The kiosk runs without them (every key has a default), but a configuration to be
  // rolled out that lacks one is not the one the operator meant.
  for (const std::string* path : {&ini_path, &language_path}) {
    if (!Readable(*path)) {
      problems.push_back({true, path->substr(dir.size()), "", "", "", "cannot be read: " + *path});
    }
  }
  const ProfileFile ini(ini_path);
  const ProfileFile language(language_path);
  const LoadedKioskSettings loaded = LoadKioskSettings(ini, language);
  for (const SettingError& e : loaded.errors.list()) {
    problems.push_back({true, e.file, e.section, e.key, e.value, e.problem + " - " + e.outcome});
  }
  // The Setup Manager's checks: the same problems it shows before it saves. A key the
  // kiosk cannot convert is reported once, as above.
  try {
    const LoadedSetup setup = LoadSetup({ini_path, language_path});
    for (const SetupProblem& p : ValidateSetup(setup.config)) {
      if (Reported(problems, p.section, p.key)) continue;
      const bool language = p.section == "MESSAGES" || p.section == "KEYBOARD";
      const std::string value = language ? "" : ini.ReadString(p.section, p.key, "");
      problems.push_back({p.severity == ProblemSeverity::kError, language ? "TWLang.ini" : "Tarnwick.ini", p.section,
                          p.key, value, p.text});
    }
  } catch (const SetupFileError&) {
    // Already said: the file cannot be read.
  }
  for (const ConfigKey& key : ConfigKeys()) {
    if (key.kind != ConfigKind::kFile || !key.kiosk_reads()) continue;
    const std::string value = ini.ReadString(key.section, key.name, "");
    if (value.empty() || ::access(value.c_str(), R_OK) == 0 || Reported(problems, key.section, key.name)) continue;
    problems.push_back({false, "Tarnwick.ini", std::string(key.section), std::string(key.name), value,
                        "the file does not exist or cannot be read"});
  }
  // The installed configuration asks for an exit password without giving one: until the
  // operator sets it, nobody can end the kiosk at its screen (only the system can).
  const KioskConfig& kiosk = loaded.settings.kiosk;
  if (kiosk.password_on && kiosk.password.empty() && !Reported(problems, "PREFERENCES", "Password")) {
    problems.push_back({false, "Tarnwick.ini", "PREFERENCES", "Password", "",
                        "the exit password is on but not set: the kiosk can only be ended by the system "
                        "(systemctl stop tarnwick) until you set one (the Setup Manager's Security & Messages page)"});
  }
  return problems;
}

}  // namespace tw
