#include "kiosk/core/commands/navigation_reason.h"

#include <array>

namespace tw {
namespace {

enum class ExtraSwitch { kNone, kTime, kCarousel };

struct ReasonInfo {
  std::string_view text;
  ExtraSwitch extra;
};

constexpr std::array<ReasonInfo, 10> kReasons = {{
    {"Custom Button Pressed", ExtraSwitch::kNone},
    {"Logo Pressed", ExtraSwitch::kNone},
    {"Banner Pressed", ExtraSwitch::kNone},
    {"Start Button Pressed", ExtraSwitch::kNone},
    {"Help Button Pressed", ExtraSwitch::kNone},
    {"Timed Start Activation", ExtraSwitch::kTime},
    {"Timed Carousel Activation", ExtraSwitch::kCarousel},
    {"Automatic Return To Start", ExtraSwitch::kCarousel},
    {"Initial Loading of Start", ExtraSwitch::kTime},
    {"DDE SendURL Received", ExtraSwitch::kNone},
}};

}  // namespace

std::string_view NavigationReasonText(int code) {
  if (code < 0 || code >= static_cast<int>(kReasons.size())) return {};
  return kReasons[static_cast<std::size_t>(code)].text;
}

bool IsNavigationLogged(int code, const LogSwitches& switches) {
  if (code < 0 || code >= static_cast<int>(kReasons.size()) || !switches.log_urls) return false;
  switch (kReasons[static_cast<std::size_t>(code)].extra) {
    case ExtraSwitch::kNone: return true;
    case ExtraSwitch::kTime: return switches.log_time_urls;
    case ExtraSwitch::kCarousel: return switches.log_carousel_urls;
  }
  return false;
}

}  // namespace tw
