#include "setup/model/colour_value.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ColourValue, BlueIsTheHighByte) {
  EXPECT_EQ(RgbFromColourValue("$000080FF"), (Rgb{0xFF, 0x80, 0x00}));
  EXPECT_EQ(ColourValueFromRgb({0xFF, 0x80, 0x00}), "$000080FF");
  EXPECT_EQ(RgbFromColourValue("ff"), (Rgb{0xFF, 0, 0}));
  EXPECT_EQ(RgbFromColourValue("red"), Rgb{});
  EXPECT_EQ(RgbFromColourValue("$"), Rgb{});
  EXPECT_EQ(RgbFromColourValue("$123456789"), Rgb{});
  EXPECT_EQ(ColourValueFromRgb(RgbFromColourValue("$00A1B2C3")), "$00A1B2C3");
}

}  // namespace
}  // namespace tw
