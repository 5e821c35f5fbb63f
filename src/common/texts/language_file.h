// A language file as a whole: TWLang.ini in the program directory, or a keyboard
// layout file in the "Language" folder, which has exactly the same content. Section
// LANGUAGE names the layout; KEYBOARD and MESSAGES are handled by keyboard_section.h
// and language_messages.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/keyboard/keyboard_section.h"
#include "common/texts/language_messages.h"

namespace tw {

class ProfileFile;

inline constexpr std::string_view kLanguageSection = "LANGUAGE";
inline constexpr std::string_view kCurrentLayoutKey = "CurKB";
inline constexpr std::string_view kUnknownLayout = "Unknown layout";

// LANGUAGE/CurKB, the name of the layout whose keys the file holds.
std::string ReadCurrentLayoutName(const ProfileFile& file);
// Throws ProfileWriteError.
void WriteCurrentLayoutName(ProfileFile& file, std::string_view layout_name);

// A layout file as the Setup Manager loads it.
struct LoadedLayout {
  std::string name;             // LANGUAGE/CurKB
  KeyboardReadResult keyboard;  // how reading the keys went
  SetupMessages messages;
};

// Reads the layout name, then KEYBOARD into `keys` (visibility converted strictly; a
// value that cannot be converted costs only its key, as ReadKeyboardEntries describes),
// then the messages. Throws nothing.
LoadedLayout LoadLayout(const ProfileFile& file, std::vector<NamedKeyboardEntry>& keys);

// Writes every key, the messages and LANGUAGE/CurKB. Throws ProfileWriteError.
void WriteLayout(ProfileFile& file, const std::vector<NamedKeyboardEntry>& keys, const SetupMessages& messages,
                 std::string_view layout_name);

// Replaces `target_path` with a byte-for-byte copy of `layout_path`, atomically: on
// any failure the target is left as it was. Returns the error text ("Unable to read "
// or "Unable to write to " + path), or nothing on success. Callers may ignore it.
std::optional<std::string> CopyLayoutFile(const std::string& layout_path, const std::string& target_path);

}  // namespace tw
