#include "setup/model/setup_config.h"

#include <stdexcept>

#include "common/keyboard/keyboard_key.h"

namespace tw {
namespace {

std::size_t ListWidth(const ConfigList& list) { return 1 + list.companions.size(); }

// What an absent key is shown as: what the kiosk does without it (its names for "none"
// as an empty field); a key only the Setup Manager reads keeps its own default.
std::string ShownWhenAbsent(const ConfigKey& key) {
  if (!key.kiosk_reads()) return std::string(key.setup_default);
  for (std::string_view none : {"NoURLLogo", "NoURLStart", "NoURLHelp", "NoBrowserFile", "NoBrowserDDE", "xxx"}) {
    if (key.kiosk_default == none) return "";
  }
  return std::string(key.kiosk_default);
}

// A message as a language text gives it, with the kiosk's default where it is absent.
std::string MessageIn(const ProfileText& text, const LanguageMessage& message) {
  return text.Get(kMessagesSection, message.key).value_or(std::string(message.default_text));
}

ConfigRows ReadRows(const ProfileText& text, const ConfigList& list) {
  // As the kiosk reads a list: the count is the number of keys in the first section,
  // items are prefix0, prefix1, ... and an absent field is empty.
  const std::size_t count = text.KeyNames(list.first.section).size();
  ConfigRows rows;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string index = std::to_string(i);
    std::vector<std::string> row;
    row.push_back(text.Get(list.first.section, std::string(list.first.prefix) + index).value_or(""));
    for (const ConfigListPart& part : list.companions) {
      row.push_back(text.Get(part.section, std::string(part.prefix) + index).value_or(""));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

// A key as a language file's text describes it (over its built-in description).
KeyboardEntry EntryInText(const ProfileText& text, const NamedKeyboardEntry& built_in) {
  try {
    return ParseKeyboardValue(text.Get(kKeyboardSection, built_in.name).value_or(""), built_in.entry,
                              VisibleField::kStrictInteger);
  } catch (const ConversionError&) {
    return built_in.entry;
  }
}

std::vector<std::pair<std::string, std::string>> ListEntries(const ConfigRows& rows, std::string_view prefix,
                                                             std::size_t column) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    entries.emplace_back(std::string(prefix) + std::to_string(i), rows[i][column]);
  }
  return entries;
}

}  // namespace

SetupConfig::SetupConfig() : SetupConfig("", "") {}

SetupConfig::SetupConfig(std::string_view tarnwick_text, std::string_view language_text)
    : tarnwick_(tarnwick_text), language_(language_text) {
  for (const ConfigKey& key : ConfigKeys()) {
    values_.push_back(tarnwick_.Get(key.section, key.name).value_or(ShownWhenAbsent(key)));
  }
  // The log time is set with spin boxes: text that is not a number is saved as 0.
  for (std::string_view name : {"LogHour", "LogMinute"}) {
    std::string& value = values_[KeyIndex("PREFERENCES", name)];
    if (!ParseProfileInteger(value)) value = "0";
  }
  for (const ConfigList& list : ConfigLists()) lists_[list.id] = ReadRows(tarnwick_, list);
  ReadMessages();
  ReadKeys();
  loaded_keys_ = keys_;
  loaded_values_ = values_;
  loaded_lists_ = lists_;
  loaded_messages_ = messages_;
}

void SetupConfig::ReadMessages() {
  messages_.clear();
  for (const LanguageMessage& message : SetupMessageList()) messages_.push_back(MessageIn(language_, message));
}

void SetupConfig::ReadKeys() {
  keys_ = BuiltInKeyboard();
  for (NamedKeyboardEntry& key : keys_) key.entry = EntryInText(language_, key);
}

void SetupConfig::ReplaceLanguageText(std::string_view text) {
  language_ = ProfileText(text);
  ReadMessages();
  ReadKeys();
  language_replaced_ = true;
}

std::size_t SetupConfig::KeyIndex(std::string_view section, std::string_view name) const {
  const ConfigKey* key = FindConfigKey(section, name);
  if (key == nullptr) {
    throw std::out_of_range("unknown configuration key [" + std::string(section) + "] " + std::string(name));
  }
  return static_cast<std::size_t>(key - ConfigKeys().data());
}

const std::string& SetupConfig::Value(std::string_view section, std::string_view name) const {
  return values_[KeyIndex(section, name)];
}

void SetupConfig::SetValue(std::string_view section, std::string_view name, std::string_view value) {
  values_[KeyIndex(section, name)] = std::string(value);
}

std::optional<std::int32_t> SetupConfig::Integer(std::string_view section, std::string_view name) const {
  return ParseProfileInteger(Value(section, name));
}

void SetupConfig::SetInteger(std::string_view section, std::string_view name, std::int32_t value) {
  SetValue(section, name, std::to_string(value));
}

bool SetupConfig::Flag(std::string_view section, std::string_view name) const {
  return Integer(section, name).value_or(0) != 0;
}

void SetupConfig::SetFlag(std::string_view section, std::string_view name, bool on) {
  SetValue(section, name, on ? "1" : "0");
}

const ConfigRows& SetupConfig::List(ConfigListId id) const { return lists_.at(id); }

void SetupConfig::SetList(ConfigListId id, ConfigRows rows) {
  const std::size_t width = ListWidth(GetConfigList(id));
  for (auto& row : rows) row.resize(width);
  lists_[id] = std::move(rows);
}

const std::string& SetupConfig::Message(std::size_t index) const { return messages_.at(index); }

void SetupConfig::SetMessage(std::size_t index, std::string_view text) { messages_.at(index) = std::string(text); }

std::string SetupConfig::TarnwickText() const {
  ProfileText text = tarnwick_;
  const auto keys = ConfigKeys();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const ConfigKey& key = keys[i];
    // Only what the operator changed: a key left absent keeps the kiosk's default.
    if (values_[i] != loaded_values_[i]) text.Set(key.section, key.name, values_[i]);
  }
  for (const ConfigList& list : ConfigLists()) {
    const ConfigRows& rows = lists_.at(list.id);
    if (rows == ReadRows(tarnwick_, list)) continue;
    text.ReplaceSectionKeys(list.first.section, ListEntries(rows, list.first.prefix, 0));
    for (std::size_t c = 0; c < list.companions.size(); ++c) {
      text.ReplaceSectionKeys(list.companions[c].section, ListEntries(rows, list.companions[c].prefix, c + 1));
    }
  }
  return text.Text();
}

std::string SetupConfig::LanguageText() const {
  ProfileText text = language_;
  // Only keys that differ from what the text says are written: the rest keep their lines.
  const std::vector<NamedKeyboardEntry> built_in = BuiltInKeyboard();
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].entry != EntryInText(text, built_in[i])) {
      text.Set(kKeyboardSection, keys_[i].name, ComposeKeyboardValue(keys_[i].entry));
    }
  }
  for (std::size_t i = 0; i < messages_.size(); ++i) {
    const LanguageMessage& message = SetupMessageList()[i];
    if (messages_[i] != MessageIn(text, message)) {
      text.Set(kMessagesSection, message.key, messages_[i]);
    }
  }
  return text.Text();
}

bool SetupConfig::IsDirty() const {
  return language_replaced_ || values_ != loaded_values_ || lists_ != loaded_lists_ || messages_ != loaded_messages_ ||
         keys_ != loaded_keys_;
}

}  // namespace tw
