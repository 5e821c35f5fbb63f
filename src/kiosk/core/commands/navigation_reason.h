// Why the kiosk changes page: each reason has a fixed log text and the switches that
// decide whether it is logged.
#pragma once

#include <string_view>

namespace tw {

enum class NavigationReason {
  // Not one of the logged reasons: the kiosk's recovery from a failure, which writes a
  // line of its own.
  kRecovery = -1,
  kCustomButton = 0,
  kLogo = 1,
  kBanner = 2,
  kStartButton = 3,
  kHelpButton = 4,
  kTimedStart = 5,
  kTimedCarousel = 6,
  kAutomaticReturnToStart = 7,
  kInitialStart = 8,
  kRemoteSendURL = 9,
};

struct LogSwitches {
  bool log_urls = true;
  bool log_time_urls = true;
  bool log_carousel_urls = true;
  bool log_video_start = true;
  bool log_loaded_urls = true;
  bool log_protocol = true;

  bool operator==(const LogSwitches&) const = default;
};

// The reason's log text, or an empty view for codes outside 0..9.
std::string_view NavigationReasonText(int code);
// Whether a navigation for this reason is written to the log under these switches.
bool IsNavigationLogged(int code, const LogSwitches& switches);

}  // namespace tw
