#include "common/keyboard/keyboard_section.h"

#include "common/config/profile_file.h"

namespace tw {

KeyboardReadResult ReadKeyboardEntries(const ProfileFile& file, std::vector<NamedKeyboardEntry>& keys,
                                       VisibleField visible_field) {
  KeyboardReadResult result;
  for (NamedKeyboardEntry& key : keys) {
    const std::string value = file.ReadString(kKeyboardSection, key.name, "");
    try {
      key.entry = ParseKeyboardValue(value, key.entry, visible_field);
    } catch (const ConversionError& error) {
      result.errors.Add(file, kKeyboardSection, key.name, value, error.what());
    }
  }
  return result;
}

void WriteKeyboardEntries(ProfileFile& file, const std::vector<NamedKeyboardEntry>& keys) {
  for (const NamedKeyboardEntry& key : keys) {
    file.WriteString(kKeyboardSection, key.name, ComposeKeyboardValue(key.entry));
  }
}

}  // namespace tw
