// Rectangles of the 800 x 600 design and their scaling to the real screen.
#pragma once

#include <cmath>

namespace tw {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// A design coordinate or size multiplied by the screen scale and rounded to the nearest
// integer (halves to even, as the rest of the layout arithmetic does).
inline int Scaled(int design_value, double scale) { return static_cast<int>(std::nearbyint(design_value * scale)); }

inline Rect Scaled(const Rect& r, double scale) {
  return {Scaled(r.left, scale), Scaled(r.top, scale), Scaled(r.width, scale), Scaled(r.height, scale)};
}

}  // namespace tw
