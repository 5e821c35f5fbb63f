// The configuration as the Setup Manager edits it: every key of Tarnwick.ini from the key
// table, the lists, and the visitor messages of TWLang.ini, over the text of both files.
//
// The texts the files were loaded from are kept. Composing a file starts from that text
// and changes only what differs from it, so a configuration saved unchanged gives the
// same bytes, an edited key changes only its own line, and unknown keys, comments and
// order survive. A key absent from the file is shown with the kiosk's default and written
// only when the operator changes it, so an untouched OK writes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/config/config_keys.h"
#include "common/keyboard/keyboard_section.h"
#include "common/texts/language_messages.h"
#include "common/config/profile_file.h"

namespace tw {

// A list's items; each row holds the first section's field, then one per companion.
using ConfigRows = std::vector<std::vector<std::string>>;

class SetupConfig {
 public:
  // Both files empty: every key has its Setup default and every list is empty.
  SetupConfig();
  SetupConfig(std::string_view tarnwick_text, std::string_view language_text);

  // A key of the key table (names compare without regard to case). Unknown keys throw
  // std::out_of_range: the pages only edit keys of the table.
  const std::string& Value(std::string_view section, std::string_view name) const;
  void SetValue(std::string_view section, std::string_view name, std::string_view value);

  // The value read as the kiosk reads numbers; nothing when it is not one.
  std::optional<std::int32_t> Integer(std::string_view section, std::string_view name) const;
  void SetInteger(std::string_view section, std::string_view name, std::int32_t value);
  // "1"/"0" keys: true for any non-zero number.
  bool Flag(std::string_view section, std::string_view name) const;
  void SetFlag(std::string_view section, std::string_view name, bool on);

  const ConfigRows& List(ConfigListId id) const;
  // Rows are padded or cut to the list's width.
  void SetList(ConfigListId id, ConfigRows rows);

  // The messages of the Setup Manager's message list (kLanguageMessages order).
  const std::string& Message(std::size_t index) const;
  void SetMessage(std::size_t index, std::string_view text);

  // The on-screen keyboard's keys of TWLang.ini, in creation order (KeyboardKeys()). A
  // key's value that cannot be read leaves the key as built in, and is kept in the file
  // unless the key is edited.
  const std::vector<NamedKeyboardEntry>& Keys() const { return keys_; }
  void SetKey(std::size_t index, const KeyboardEntry& entry) { keys_.at(index).entry = entry; }

  // Takes another language file as the base of TWLang.ini (a keyboard layout chosen),
  // with its keys and messages.
  void ReplaceLanguageText(std::string_view text);

  // The files' texts with the model's values.
  std::string TarnwickText() const;
  std::string LanguageText() const;

  // True when something differs from what was loaded.
  bool IsDirty() const;

 private:
  std::size_t KeyIndex(std::string_view section, std::string_view name) const;
  void ReadMessages();
  void ReadKeys();

  ProfileText tarnwick_;
  ProfileText language_;
  std::vector<std::string> values_;  // index-parallel to ConfigKeys()
  std::vector<std::string> loaded_values_;
  std::map<ConfigListId, ConfigRows> lists_;
  std::map<ConfigListId, ConfigRows> loaded_lists_;
  SetupMessages messages_;
  SetupMessages loaded_messages_;
  std::vector<NamedKeyboardEntry> keys_;
  std::vector<NamedKeyboardEntry> loaded_keys_;
  bool language_replaced_ = false;
};

}  // namespace tw
