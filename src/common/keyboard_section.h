// Section KEYBOARD of a language file: one value per on-screen key, under the key's
// name (see keyboard_entry.h for the value's form).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/keyboard_entry.h"

namespace tw {

class ProfileFile;

inline constexpr std::string_view kKeyboardSection = "KEYBOARD";

// One key as a keyboard holds it: its name and its current description.
struct NamedKeyboardEntry {
  std::string name;
  KeyboardEntry entry;
};

struct KeyboardReadResult {
  std::size_t keys_read = 0;  // keys handled before reading stopped (all of them on success)
  std::string failed_key;     // the key whose value could not be converted
  std::string error;          // the conversion error's text; empty when every key was read

  bool ok() const { return error.empty(); }
};

// Applies KEYBOARD/<name> to each key in order; an absent or empty value leaves the
// key as it is. Reading stops at the first value that cannot be converted: that key
// keeps its description, the keys before it keep their new ones, the keys after it
// are not read, and the result names the key and the error. Throws nothing.
KeyboardReadResult ReadKeyboardEntries(const ProfileFile& file, std::vector<NamedKeyboardEntry>& keys,
                                       VisibleField visible_field);

// Writes every key's composed value; throws ProfileWriteError when the file cannot be
// written.
void WriteKeyboardEntries(ProfileFile& file, const std::vector<NamedKeyboardEntry>& keys);

}  // namespace tw
