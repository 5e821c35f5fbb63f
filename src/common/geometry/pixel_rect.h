// Integer pixel geometry shared by the widgets' plain layout code.
#pragma once

namespace tw {

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }   // one past the last column
  int Bottom() const { return top + height; }  // one past the last row
  bool Empty() const { return width <= 0 || height <= 0; }
  // The rectangle shrunk by n pixels on every side.
  PixelRect Inset(int n) const { return {left + n, top + n, width - 2 * n, height - 2 * n}; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace tw
