#include "common/config/config_reader.h"

#include <stdexcept>

namespace tw {

const ConfigKey& ConfigReader::Key(std::string_view section, std::string_view key) {
  const ConfigKey* entry = FindConfigKey(section, key);
  if (!entry || !entry->kiosk_reads()) {
    throw std::logic_error("the key table has no kiosk default for [" + std::string(section) + "] " + std::string(key));
  }
  return *entry;
}

std::string ConfigReader::String(std::string_view section, std::string_view key) const {
  return file_.ReadString(section, key, Key(section, key).kiosk_default);
}

bool ConfigReader::Bool(std::string_view section, std::string_view key) const {
  return file_.ReadBool(section, key, Key(section, key).kiosk_default == "1");
}

int ConfigReader::Integer(std::string_view section, std::string_view key) const {
  const std::string_view text = Key(section, key).kiosk_default;
  const std::optional<std::int32_t> fallback = ParseProfileInteger(text);
  return errors_.Integer(file_, section, key, fallback.value_or(0));
}

}  // namespace tw
