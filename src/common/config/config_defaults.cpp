#include "common/config/config_defaults.h"

#include "common/config/config_keys.h"

namespace tw {
namespace {

// Applies the defaults section by section in file order to any target that can set a
// key and erase a section.
template <typename Target>
void ApplyDefaults(Target& target) {
  for (const ConfigSection& section : ConfigSections()) {
    if (section.is_list) {
      target.EraseSection(section.name);
      continue;
    }
    for (const ConfigKey* key : ConfigKeysOf(section.name)) {
      if (key->written) target.Set(key->section, key->name, key->setup_default);
    }
  }
}

class FileTarget {
 public:
  explicit FileTarget(ProfileFile& file) : file_(file) {}
  void Set(std::string_view section, std::string_view key, std::string_view value) {
    file_.WriteString(section, key, value);
  }
  void EraseSection(std::string_view section) { file_.EraseSection(section); }

 private:
  ProfileFile& file_;
};

}  // namespace

void WriteDefaultConfig(ProfileFile& file) {
  FileTarget target(file);
  ApplyDefaults(target);
}

std::string DefaultConfigText() {
  ProfileText text;
  ApplyDefaults(text);
  return text.Text();
}

}  // namespace tw
