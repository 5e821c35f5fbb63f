#include "setup/model/setup_geometry.h"

#include <algorithm>

namespace tw {

SetupWindowGeometry SetupGeometryForScreen(int screen_width, int screen_height) {
  constexpr int kWidth = 800;
  constexpr int kHeight = 600;
  SetupWindowGeometry g{std::min(kWidth, screen_width), kHeight, 0, {}};
  const bool small = screen_height < 601;
  const int first_top = small ? 136 : 176;
  for (std::size_t i = 0; i < g.button_tops.size(); ++i) g.button_tops[i] = first_top + 40 * static_cast<int>(i);
  if (small) {
    g.height = screen_height - 50;
    g.scroll_height = screen_height + 200;
  }
  return g;
}

}  // namespace tw
