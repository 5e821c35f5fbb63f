// Colour values as the configuration writes them: "$00BBGGRR" (blue in the high byte).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The colour a value names for the colour picker: its hexadecimal digits after an optional
// "$"; text that is not hexadecimal gives black.
Rgb RgbFromColourValue(std::string_view value);

// "$00BBGGRR" with capital digits.
std::string ColourValueFromRgb(Rgb rgb);

}  // namespace tw
