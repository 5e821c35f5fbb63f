// Plain layout rules of an on-screen key: caption positions and edge colours.
#pragma once

#include <array>
#include <cstdint>

#include "common/keyboard/key_table.h"
#include "common/geometry/pixel_rect.h"

namespace tw {

// Where the four captions of a key of size width x height go (top-left corner of
// each text), given each caption's text width. Captions a layout does not use sit
// at the key's top-left corner.
std::array<PixelPoint, 4> CaptionPositions(KeyLayout layout, int width, int height,
                                           const std::array<int, 4>& text_widths);

// Colours are stored as 00BBGGRR numbers.
using ColourValue = std::uint32_t;

// The highlight edge adds 64 to each of red, green and blue (up to 255); the shadow
// edge takes 64 away (down to 0).
ColourValue HighColour(ColourValue face);
ColourValue LowColour(ColourValue face);

// The face of a key and its highlight and shadow edges.
struct KeyColours {
  ColourValue face, high, low;
  friend bool operator==(const KeyColours&, const KeyColours&) = default;
};

// The colours of the two kinds of key.
struct KeyPalette {
  KeyColours light, dark;
  const KeyColours& Of(KeyColour kind) const { return kind == KeyColour::kLight ? light : dark; }
  friend bool operator==(const KeyPalette&, const KeyPalette&) = default;
};

inline constexpr ColourValue kDefaultLightColour = 13228248;
inline constexpr ColourValue kDefaultDarkColour = 10664890;

// The coloured palette from two face colours, with derived edges.
KeyPalette ColourPalette(ColourValue light, ColourValue dark);
// The fixed grey palette.
KeyPalette GreyPalette();

// How the keys of one keyboard look: their colours, and the caption point size of
// each group of layouts.
struct KeyboardLook {
  KeyPalette palette = ColourPalette(kDefaultLightColour, kDefaultDarkColour);
  int small_font_size = 8;    // KeyLayout::kNormal
  int medium_font_size = 10;  // kDouble and kQuad
  int large_font_size = 16;   // kLetter and kLetterPlus
  int FontSizeFor(KeyLayout layout) const;
  friend bool operator==(const KeyboardLook&, const KeyboardLook&) = default;
};

}  // namespace tw
