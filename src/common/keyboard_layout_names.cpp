#include "common/keyboard_layout_names.h"

#include <array>
#include <utility>

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

constexpr std::string_view kCustomPrefix = "Custom ";
constexpr std::size_t kIdentifierDigits = 8;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::uint32_t KeyboardLayoutIdentifierValue(std::string_view identifier) {
  // Longer texts would wrap around and could land on a real layout's value.
  if (identifier.size() > kIdentifierDigits) return 0;
  std::uint32_t value = 0;
  for (const char c : identifier) {
    const int digit = HexDigit(c);
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

std::string CustomLayoutFileName(std::string_view layout_name) {
  if (layout_name.empty()) return std::string(kCustomPrefix) + "Keyboard.ini";
  if (layout_name.starts_with(kCustomPrefix)) return std::string(layout_name) + ".ini";
  return std::string(kCustomPrefix) + std::string(layout_name) + ".ini";
}

}  // namespace tw
