#include "kiosk/browser/page_zoom.h"

#include <array>

namespace tw {
namespace {

// Closer together near 100 %, where a visitor looks for the size that just fits.
constexpr std::array kPercentSteps = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

}  // namespace

static_assert(kPercentSteps[5] == 100);

bool PageZoom::In() {
  if (step_ + 1 >= kPercentSteps.size()) return false;
  ++step_;
  return true;
}

bool PageZoom::Out() {
  if (step_ == 0) return false;
  --step_;
  return true;
}

int PageZoom::percent() const { return kPercentSteps[step_]; }

}  // namespace tw
