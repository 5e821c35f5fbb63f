// The description of one on-screen key as the language file stores it in section
// KEYBOARD: four legends and the key script, each in double quotes, then the bare
// layout number, font name, font size and visibility, e.g.
//   "Q","","","","q",0,MS Sans Serif,10,1
// The reader splits at the first separator it finds, so a legend holding the three
// characters `","`, a key script holding `",` or a font name holding a comma is split
// there; such values do not survive a write and read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/keyboard/key_table.h"

namespace tw {

struct KeyboardEntry {
  std::string caption;      // main legend ("Top Left")
  std::string caption2;     // "Bottom Left"
  std::string caption3;     // "Top Right"
  std::string caption4;     // "Bottom Right"
  std::string send_string;  // the key script typed when the key is clicked
  KeyLayout key_layout = KeyLayout::kNormal;
  std::string font_name;
  std::int32_t font_size = 8;  // points, at least 1
  bool visible = true;

  bool operator==(const KeyboardEntry&) const = default;
};

// The nine fields of a KEYBOARD value as text, split but not converted.
struct KeyboardValueFields {
  std::string caption;
  std::string caption2;
  std::string caption3;
  std::string caption4;
  std::string send_string;
  std::string layout;
  std::string font_name;
  std::string font_size;
  std::string visible;

  bool operator==(const KeyboardValueFields&) const = default;
};

// How the visibility field is read. The kiosk shows a key only when the field is
// exactly "1"; the Setup Manager converts it as a decimal integer (a non-number is a
// conversion error) and shows the key when that integer is 1.
enum class VisibleField { kExactlyOne, kStrictInteger };

// Splits a non-empty value into its fields. A separator that is missing gives an
// empty field and removes as many characters of the rest as the separator is long,
// as if it stood at the start; this never fails.
KeyboardValueFields SplitKeyboardValue(std::string_view value);

// The entry that `value` describes, starting from `current`. An empty value returns
// `current` unchanged. A layout number outside 0..4 keeps the current layout, and a
// font size below 1 keeps the current size. Throws ConversionError (common/
// profile_file.h) when the layout or font size (or, with kStrictInteger, the
// visibility) is not a decimal integer; `current` is not touched either way.
KeyboardEntry ParseKeyboardValue(std::string_view value, const KeyboardEntry& current, VisibleField visible_field);

// The stored form of an entry; visibility is written "1" or "0".
std::string ComposeKeyboardValue(const KeyboardEntry& entry);

// Why the entry would not read back as it is from a language file (a legend, key script
// or font name that the reader would split, or a line break), naming the field; nothing
// when it would.
std::optional<std::string> KeyboardEntryProblem(const KeyboardEntry& entry);

// A decimal integer with an optional sign and blanks around it, within 32 bits;
// anything else throws ConversionError.
std::int32_t StrictDecimalInteger(std::string_view text);

}  // namespace tw
