// Section KEYBOARD of a language file: one value per on-screen key, under the key's
// name (see keyboard_entry.h for the value's form).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/keyboard/keyboard_entry.h"
#include "common/config/setting_errors.h"

namespace tw {

class ProfileFile;

inline constexpr std::string_view kKeyboardSection = "KEYBOARD";

// One key as a keyboard holds it: its name and its current description.
struct NamedKeyboardEntry {
  std::string name;
  KeyboardEntry entry;

  bool operator==(const NamedKeyboardEntry&) const = default;
};

struct KeyboardReadResult {
  SettingErrors errors;  // one for each key whose value could not be converted

  bool ok() const { return errors.empty(); }
};

// Applies KEYBOARD/<name> to each key in order; an absent or empty value leaves the
// key as it is. A value that cannot be converted leaves its key as it is too and is
// recorded in the result; the keys after it are read all the same. Throws nothing.
KeyboardReadResult ReadKeyboardEntries(const ProfileFile& file, std::vector<NamedKeyboardEntry>& keys,
                                       VisibleField visible_field);

// Writes every key's composed value; throws ProfileWriteError when the file cannot be
// written.
void WriteKeyboardEntries(ProfileFile& file, const std::vector<NamedKeyboardEntry>& keys);

}  // namespace tw
