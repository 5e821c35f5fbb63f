// Tiling a bitmap over an area: whole copies from the top-left corner, the last row
// and column cut to what is left (always the bitmap's top-left part).
#pragma once

#include <vector>

#include "common/geometry/pixel_rect.h"

namespace tw {

struct TileGrid {
  int columns = 0;
  int rows = 0;
  int last_column_width = 0;
  int last_row_height = 0;
};

// Grid of tiles of a w x h bitmap over a W x H area: ceil(W / w) columns and
// ceil(H / h) rows, at least one of each. An empty bitmap gives no tiles.
TileGrid TileGridFor(int area_width, int area_height, int tile_width, int tile_height);

// The destination rectangle of every tile, row by row; each copies the same-sized
// top-left part of the bitmap.
std::vector<PixelRect> TileRects(const PixelRect& area, int tile_width, int tile_height);

}  // namespace tw
