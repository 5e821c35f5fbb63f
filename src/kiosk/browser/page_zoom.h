// The visitor's page zoom: the steps the Zoom In and Zoom Out buttons go through, from
// half size to three times, the same for both browsers. The browser applies it to every
// page it shows and forgets it with the visitor.
#pragma once

#include <cstddef>

namespace tw {

class PageZoom {
 public:
  // One step larger or smaller; false (and no change) at either end.
  bool In();
  bool Out();
  void Reset() { step_ = kNormalStep; }

  int percent() const;
  double factor() const { return percent() / 100.0; }
  bool normal() const { return step_ == kNormalStep; }

 private:
  static constexpr std::size_t kNormalStep = 5;  // 100 %
  std::size_t step_ = kNormalStep;
};

}  // namespace tw
