// When the idle warning comes: before the first idle time that takes a visitor's page
// away, by its own length, but never in the first half of a short idle time (a visitor
// who has just touched the screen is not asked at once whether anyone is there). The
// kiosk keeps to it and the Setup Manager's check tells the operator about it.
#pragma once

#include <algorithm>
#include <initializer_list>

namespace tw {

// The smallest of the idle times that are set (above 0); 0 when none is.
inline int FirstIdleTime(std::initializer_list<int> times) {
  int first = 0;
  for (int time : times) {
    if (time > 0 && (first == 0 || time < first)) first = time;
  }
  return first;
}

// The idle count at which the warning comes up before `first_time`.
inline int IdleWarningStart(int first_time, int warning_seconds) {
  return std::max(first_time - warning_seconds, (first_time + 1) / 2);
}

}  // namespace tw
