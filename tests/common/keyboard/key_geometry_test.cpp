#include "common/keyboard/key_geometry.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(KeyGeometry, CaptionPositionsPerLayout) {
  using enum KeyLayout;
  using P = PixelPoint;
  struct Case {
    KeyLayout layout;
    int w, h;
    std::array<int, 4> widths;
    std::array<PixelPoint, 4> at;
  };
  const Case cases[] = {
      {kNormal, 40, 40, {20, 20, 0, 0}, {P{5, 5}, P{5, 18}, P{0, 0}, P{0, 0}}},
      {kNormal, 40, 60, {20, 20, 0, 0}, {P{5, 8}, P{5, 21}, P{0, 0}, P{0, 0}}},  // 7.5 -> 8
      {kLetter, 40, 40, {9, 0, 0, 0}, {P{5, 2}, P{5, 18}, P{0, 0}, P{0, 0}}},
      {kDouble, 40, 40, {7, 6, 0, 0}, {P{15, 3}, P{15, 20}, P{0, 0}, P{0, 0}}},
      {kQuad, 48, 40, {5, 5, 8, 10}, {P{6, 3}, P{6, 20}, P{34, 3}, P{32, 20}}},
      {kLetterPlus, 40, 40, {9, 0, 0, 4}, {P{5, 2}, P{5, 18}, P{0, 0}, P{31, 20}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CaptionPositions(c.layout, c.w, c.h, c.widths), c.at)
        << static_cast<int>(c.layout) << " " << c.w << "x" << c.h;
  }
}

TEST(KeyGeometry, PalettesAndEdges) {
  EXPECT_EQ(ColourPalette(kDefaultLightColour, kDefaultDarkColour),
            (KeyPalette{{13228248, 16777215, 9017496}, {10664890, 14875642, 6454138}}));
  EXPECT_EQ(GreyPalette(), (KeyPalette{{12632256, 16777215, 8421504}, {8421504, 12632256, 0}}));
  // Channels clip independently.
  EXPECT_EQ(HighColour(0x20C0FF), 0x60FFFFu);
  EXPECT_EQ(LowColour(0x20C0FF), 0x0080BFu);
}

}  // namespace
}  // namespace tw
