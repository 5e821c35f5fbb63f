#include "common/keyboard/keyboard_layout_names.h"

#include <array>
#include <utility>

#include "common/addresses/percent_decode.h"

namespace tw {
namespace {

constexpr std::array<std::pair<std::uint32_t, std::string_view>, 23> kLayoutNames = {{
    {1027, "Catalan"},
    {1029, "Czech"},
    {1030, "Danish"},
    {1031, "German"},
    {1033, "American"},
    {1034, "Spanish"},
    {1035, "Finnish"},
    {1036, "French"},
    {1039, "Icelandic"},
    {1040, "Italian"},
    {1043, "Dutch"},
    {1045, "Polish"},
    {1046, "Brazilian"},
    {1053, "Swedish"},
    {1069, "Basque"},
    {2055, "Swiss [German]"},
    {2057, "English"},
    {2068, "Norweigan"},
    {2070, "Portuguese"},
    {3084, "Canadian [French]"},
    {4105, "Canadian [English]"},
    {4108, "Swiss [French]"},
    {6153, "Irish"},
}};

// XKB layout (and variant, where it changes the name) to the names above.
constexpr std::array<std::pair<std::string_view, std::string_view>, 27> kXkbNames = {{
    {"es(cat)", "Catalan"},
    {"cz", "Czech"},
    {"dk", "Danish"},
    {"de", "German"},
    {"us", "American"},
    {"es", "Spanish"},
    {"fi", "Finnish"},
    {"fr", "French"},
    {"is", "Icelandic"},
    {"it", "Italian"},
    {"nl", "Dutch"},
    {"pl", "Polish"},
    {"br", "Brazilian"},
    {"se", "Swedish"},
    {"es(eus)", "Basque"},
    {"ch", "Swiss [German]"},
    {"ch(de)", "Swiss [German]"},
    {"gb", "English"},
    {"uk", "English"},
    {"no", "Norweigan"},
    {"pt", "Portuguese"},
    {"ca", "Canadian [French]"},
    {"ca(fr)", "Canadian [French]"},
    {"ca(eng)", "Canadian [English]"},
    {"ch(fr)", "Swiss [French]"},
    {"ie", "Irish"},
    {"gb(extd)", "English"},
}};

constexpr std::string_view kCustomPrefix = "Custom ";
constexpr std::size_t kIdentifierDigits = 8;

}  // namespace

std::uint32_t KeyboardLayoutIdentifierValue(std::string_view identifier) {
  // Longer texts would wrap around and could land on a real layout's value.
  if (identifier.size() > kIdentifierDigits) return 0;
  std::uint32_t value = 0;
  for (const char c : identifier) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return 0;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::string_view KeyboardLayoutName(std::uint32_t identifier_value) {
  for (const auto& [value, name] : kLayoutNames) {
    if (value == identifier_value) return name;
  }
  return kUnknownKeyboardLayout;
}

bool IsKnownKeyboardLayout(std::uint32_t identifier_value) {
  return KeyboardLayoutName(identifier_value) != kUnknownKeyboardLayout;
}

std::string_view KeyboardLayoutNameOfXkb(std::string_view xkb_layout) {
  std::string_view first = xkb_layout.substr(0, xkb_layout.find(','));
  while (!first.empty() && first.front() == ' ') first.remove_prefix(1);
  while (!first.empty() && first.back() == ' ') first.remove_suffix(1);
  // The layout with its variant first, then the layout alone: most variants ("nodeadkeys",
  // "mac") keep the layout's name.
  const std::string_view layout = first.substr(0, first.find('('));
  for (const std::string_view candidate : {first, layout}) {
    for (const auto& [xkb, name] : kXkbNames) {
      if (xkb == candidate) return name;
    }
  }
  return kUnknownKeyboardLayout;
}

std::string CustomLayoutFileName(std::string_view layout_name) {
  if (layout_name.empty()) return std::string(kCustomPrefix) + "Keyboard.ini";
  if (layout_name.starts_with(kCustomPrefix)) return std::string(layout_name) + ".ini";
  return std::string(kCustomPrefix) + std::string(layout_name) + ".ini";
}

}  // namespace tw
