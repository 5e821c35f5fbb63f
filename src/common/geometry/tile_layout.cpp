#include "common/geometry/tile_layout.h"

#include <algorithm>

namespace tw {
namespace {

int CeilDiv(int a, int b) { return a <= 0 ? 0 : (a + b - 1) / b; }

}  // namespace

TileGrid TileGridFor(int area_width, int area_height, int tile_width, int tile_height) {
  if (tile_width <= 0 || tile_height <= 0) return {};
  TileGrid grid;
  grid.columns = std::max(1, CeilDiv(area_width, tile_width));
  grid.rows = std::max(1, CeilDiv(area_height, tile_height));
  grid.last_column_width = std::clamp(area_width - (grid.columns - 1) * tile_width, 0, tile_width);
  grid.last_row_height = std::clamp(area_height - (grid.rows - 1) * tile_height, 0, tile_height);
  return grid;
}

std::vector<PixelRect> TileRects(const PixelRect& area, int tile_width, int tile_height) {
  TileGrid grid = TileGridFor(area.width, area.height, tile_width, tile_height);
  std::vector<PixelRect> tiles;
  tiles.reserve(static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows));
  for (int row = 0; row < grid.rows; ++row) {
    int height = row + 1 == grid.rows ? grid.last_row_height : tile_height;
    for (int column = 0; column < grid.columns; ++column) {
      int width = column + 1 == grid.columns ? grid.last_column_width : tile_width;
      if (width > 0 && height > 0) {
        tiles.push_back({area.left + column * tile_width, area.top + row * tile_height, width, height});
      }
    }
  }
  return tiles;
}

}  // namespace tw
