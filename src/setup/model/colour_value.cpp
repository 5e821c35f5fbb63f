#include "setup/model/colour_value.h"

#include <cstdio>

namespace tw {

Rgb RgbFromColourValue(std::string_view value) {
  if (!value.empty() && value.front() == '$') value.remove_prefix(1);
  if (value.empty() || value.size() > 8) return {};
  std::uint32_t bits = 0;
  for (char c : value) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return {};
    }
    bits = bits * 16 + static_cast<std::uint32_t>(digit);
  }
  return {static_cast<std::uint8_t>(bits & 0xFF), static_cast<std::uint8_t>((bits >> 8) & 0xFF),
          static_cast<std::uint8_t>((bits >> 16) & 0xFF)};
}

std::string ColourValueFromRgb(Rgb rgb) {
  char text[16];
  std::snprintf(text, sizeof text, "$00%02X%02X%02X", rgb.blue, rgb.green, rgb.red);
  return text;
}

}  // namespace tw
