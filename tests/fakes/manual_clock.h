// A clock that moves only when the test says so.
#pragma once

#include "common/system/local_time.h"
#include "platform/clock.h"

namespace tw::test {

class ManualClock : public Clock {
 public:
  explicit ManualClock(LocalTime start = LocalTime::FromCivil({2026, 12, 7, 10, 0, 0})) : now_(start) {}
  LocalTime Now() const override { return now_; }
  void Set(LocalTime t) { now_ = t; }
  void Set(const CivilTime& c) { now_ = LocalTime::FromCivil(c); }
  void Advance(std::int64_t seconds) { now_ = now_ + seconds; }

 private:
  LocalTime now_;
};

}  // namespace tw::test
