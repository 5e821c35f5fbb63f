#include "common/keyboard/key_geometry.h"

#include <algorithm>
#include <cmath>

namespace tw {

std::array<PixelPoint, 4> CaptionPositions(KeyLayout layout, int width, int height,
                                           const std::array<int, 4>& text_widths) {
  const int q = static_cast<int>(std::lround(0.125 * height));
  std::array<PixelPoint, 4> at{};
  switch (layout) {
    case KeyLayout::kNormal:
      at[0] = {5, q};
      at[1] = {5, q + 13};
      break;
    case KeyLayout::kLetter:
      at[0] = {5, 2};
      at[1] = {5, 18};
      break;
    case KeyLayout::kDouble:
      at[0] = {width / 2 - text_widths[0] / 2 - 2, q - 2};
      at[1] = {width / 2 - text_widths[1] / 2 - 2, 4 * q};
      break;
    case KeyLayout::kQuad:
      at[0] = {6, q - 2};
      at[1] = {6, 4 * q};
      at[2] = {width - text_widths[2] - 6, q - 2};
      at[3] = {width - text_widths[3] - 6, 4 * q};
      break;
    case KeyLayout::kLetterPlus:
      at[0] = {5, 2};
      at[1] = {5, 18};
      at[3] = {width - text_widths[3] - 5, 4 * q};
      break;
  }
  return at;
}

namespace {

ColourValue MapChannels(ColourValue colour, int delta) {
  ColourValue out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    int channel = static_cast<int>((colour >> shift) & 0xFF) + delta;
    out |= static_cast<ColourValue>(std::clamp(channel, 0, 255)) << shift;
  }
  return out;
}

}  // namespace

ColourValue HighColour(ColourValue face) { return MapChannels(face, 64); }
ColourValue LowColour(ColourValue face) { return MapChannels(face, -64); }

KeyPalette ColourPalette(ColourValue light, ColourValue dark) {
  return {{light, HighColour(light), LowColour(light)}, {dark, HighColour(dark), LowColour(dark)}};
}

KeyPalette GreyPalette() { return {{12632256, 16777215, 8421504}, {8421504, 12632256, 0}}; }

int KeyboardLook::FontSizeFor(KeyLayout layout) const {
  switch (layout) {
    case KeyLayout::kNormal: return small_font_size;
    case KeyLayout::kDouble:
    case KeyLayout::kQuad: return medium_font_size;
    case KeyLayout::kLetter:
    case KeyLayout::kLetterPlus: return large_font_size;
  }
  return small_font_size;
}

}  // namespace tw
