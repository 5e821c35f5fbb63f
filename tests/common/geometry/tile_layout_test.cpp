#include "common/geometry/tile_layout.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(TileLayout, GridOfCopies) {
  struct Case {
    int area_w, area_h, tile_w, tile_h;
    int columns, rows, last_w, last_h;
  };
  const Case cases[] = {
      {100, 50, 30, 20, 4, 3, 10, 10},  // cut last column and row
      {90, 40, 30, 20, 3, 2, 30, 20},   // exact fit
      {10, 5, 30, 20, 1, 1, 10, 5},     // bitmap larger than the area
      {0, 0, 30, 20, 1, 1, 0, 0},       // at least one of each
      {100, 50, 0, 20, 0, 0, 0, 0},     // empty bitmap: nothing
  };
  for (const Case& c : cases) {
    TileGrid grid = TileGridFor(c.area_w, c.area_h, c.tile_w, c.tile_h);
    EXPECT_EQ(grid.columns, c.columns) << c.area_w << "x" << c.area_h;
    EXPECT_EQ(grid.rows, c.rows) << c.area_w << "x" << c.area_h;
    EXPECT_EQ(grid.last_column_width, c.last_w) << c.area_w << "x" << c.area_h;
    EXPECT_EQ(grid.last_row_height, c.last_h) << c.area_w << "x" << c.area_h;
  }
}

TEST(TileLayout, RectsCoverTheAreaExactlyOnce) {
  PixelRect area{7, 3, 100, 50};
  std::vector<PixelRect> tiles = TileRects(area, 30, 20);
  ASSERT_EQ(tiles.size(), 12u);
  EXPECT_EQ(tiles.front(), (PixelRect{7, 3, 30, 20}));
  EXPECT_EQ(tiles[3], (PixelRect{97, 3, 10, 20}));
  EXPECT_EQ(tiles.back(), (PixelRect{97, 43, 10, 10}));
  long covered = 0;
  for (const PixelRect& t : tiles) {
    covered += static_cast<long>(t.width) * t.height;
    EXPECT_GE(t.left, area.left);
    EXPECT_LE(t.Right(), area.Right());
    EXPECT_LE(t.Bottom(), area.Bottom());
  }
  EXPECT_EQ(covered, 100L * 50);
  EXPECT_TRUE(TileRects({0, 0, 0, 0}, 30, 20).empty());
}

}  // namespace
}  // namespace tw
