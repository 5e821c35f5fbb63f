#include "common/keyboard/keyboard_entry.h"

#include <algorithm>
#include <string>

#include "common/config/profile_file.h"

namespace tw {
namespace {

constexpr std::string_view kLegendSeparator = "\",\"";  // ","
constexpr std::string_view kScriptSeparator = "\",";    // ",
constexpr std::string_view kFieldSeparator = ",";

// Takes the text before the first `separator` off the front of `rest`, together with
// the separator. Without a separator the field is empty and the separator's length is
// removed from the front, as if it stood there.
std::string TakeField(std::string_view& rest, std::string_view separator) {
  const auto at = rest.find(separator);
  if (at == std::string_view::npos) {
    rest.remove_prefix(std::min(separator.size(), rest.size()));
    return {};
  }
  std::string field(rest.substr(0, at));
  rest.remove_prefix(at + separator.size());
  return field;
}

}  // namespace

std::int32_t StrictDecimalInteger(std::string_view text) {
  std::string_view t = text;
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  bool negative = false;
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) throw ConversionError(std::string(text));
  const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
  std::int64_t value = 0;
  for (const char c : t) {
    if (c < '0' || c > '9') throw ConversionError(std::string(text));
    value = value * 10 + (c - '0');
    if (value > limit) throw ConversionError(std::string(text));
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

KeyboardValueFields SplitKeyboardValue(std::string_view value) {
  std::string_view rest = value;
  if (!rest.empty()) rest.remove_prefix(1);  // the opening double quote
  KeyboardValueFields fields;
  fields.caption = TakeField(rest, kLegendSeparator);
  fields.caption2 = TakeField(rest, kLegendSeparator);
  fields.caption3 = TakeField(rest, kLegendSeparator);
  fields.caption4 = TakeField(rest, kLegendSeparator);
  fields.send_string = TakeField(rest, kScriptSeparator);
  fields.layout = TakeField(rest, kFieldSeparator);
  fields.font_name = TakeField(rest, kFieldSeparator);
  fields.font_size = TakeField(rest, kFieldSeparator);
  fields.visible = std::string(rest);
  return fields;
}

KeyboardEntry ParseKeyboardValue(std::string_view value, const KeyboardEntry& current, VisibleField visible_field) {
  if (value.empty()) return current;
  KeyboardValueFields fields = SplitKeyboardValue(value);
  // Every conversion comes first, so a bad number leaves the key as it was.
  const std::int32_t layout = StrictDecimalInteger(fields.layout);
  const std::int32_t font_size = StrictDecimalInteger(fields.font_size);
  const bool visible =
      visible_field == VisibleField::kStrictInteger ? StrictDecimalInteger(fields.visible) == 1 : fields.visible == "1";

  KeyboardEntry entry = current;
  entry.caption = std::move(fields.caption);
  entry.caption2 = std::move(fields.caption2);
  entry.caption3 = std::move(fields.caption3);
  entry.caption4 = std::move(fields.caption4);
  entry.send_string = std::move(fields.send_string);
  if (layout >= 0 && layout <= static_cast<int>(KeyLayout::kLetterPlus)) {
    entry.key_layout = static_cast<KeyLayout>(layout);
  }
  entry.font_name = std::move(fields.font_name);
  // A size below one point cannot be drawn; the key keeps the size it has.
  if (font_size >= 1) entry.font_size = font_size;
  entry.visible = visible;
  return entry;
}

std::string ComposeKeyboardValue(const KeyboardEntry& entry) {
  std::string value = "\"";
  value += entry.caption;
  value += kLegendSeparator;
  value += entry.caption2;
  value += kLegendSeparator;
  value += entry.caption3;
  value += kLegendSeparator;
  value += entry.caption4;
  value += kLegendSeparator;
  value += entry.send_string;
  value += kScriptSeparator;
  value += std::to_string(static_cast<int>(entry.key_layout));
  value += kFieldSeparator;
  value += entry.font_name;
  value += kFieldSeparator;
  value += std::to_string(entry.font_size);
  value += kFieldSeparator;
  value += entry.visible ? "1" : "0";
  return value;
}

std::optional<std::string> KeyboardEntryProblem(const KeyboardEntry& entry) {
  const struct {
    const char* name;
    const std::string& value;
  } fields[] = {{"Top Left", entry.caption},      {"Bottom Left", entry.caption2},    {"Top Right", entry.caption3},
                {"Bottom Right", entry.caption4}, {"Send String", entry.send_string}, {"Font", entry.font_name}};
  for (const auto& field : fields) {
    if (field.value.find_first_of("\r\n") != std::string::npos) {
      return std::string(field.name) + " cannot hold a line break.";
    }
  }
  const std::string value = ComposeKeyboardValue(entry);
  if (value.size() > kMaxProfileValue) {
    return "The key's value would be longer than " + std::to_string(kMaxProfileValue) +
           " characters, more than the language file's reader takes.";
  }
  // The reader splits at the first separator: a field that holds one (or ends so that
  // it makes one with the next) comes back different.
  const KeyboardValueFields read = SplitKeyboardValue(value);
  const std::string* back[] = {&read.caption,  &read.caption2,    &read.caption3,
                               &read.caption4, &read.send_string, &read.font_name};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    if (*back[i] != fields[i].value) {
      return std::string(fields[i].name) + " \"" + fields[i].value +
             "\" cannot be stored in the language file: its quotes and commas would split the key's value.";
    }
  }
  return std::nullopt;
}

}  // namespace tw
