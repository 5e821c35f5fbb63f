// The source of the current local time. The kiosk's logic reads the time only through
// this interface, so tests can drive it by hand.
#pragma once

#include <ctime>

#include "common/system/local_time.h"

namespace tw {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
};

class SystemClock : public Clock {
 public:
  LocalTime Now() const override { return LocalTime::FromTimeT(std::time(nullptr)); }
};

}  // namespace tw
