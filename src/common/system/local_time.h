// Local wall-clock time as a plain count of seconds, with the calendar arithmetic the
// kiosk needs (days, times of day, "yesterday at 02:00") and its text formats.
//
// A LocalTime counts seconds since 1970-01-01 00:00:00 on the local wall clock, so day
// and time-of-day arithmetic is exact and independent of the time zone; only the
// conversions from and to system time (FromTimeT, ToTimeT) consult the zone.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace tw {

struct CivilTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class LocalTime {
 public:
  static constexpr std::int64_t kSecondsPerDay = 86400;

  constexpr LocalTime() = default;
  static constexpr LocalTime FromSeconds(std::int64_t s) { return LocalTime(s); }
  static LocalTime FromCivil(const CivilTime& c);
  // The local wall-clock reading of a system time.
  static LocalTime FromTimeT(std::time_t t);

  CivilTime Civil() const;
  std::time_t ToTimeT() const;
  std::int64_t seconds() const { return seconds_; }
  // Seconds since local midnight, 0..86399.
  std::int64_t TimeOfDay() const;
  // Midnight at the start of this day.
  LocalTime Date() const { return LocalTime(seconds_ - TimeOfDay()); }
  // 0 = Sunday .. 6 = Saturday.
  int Weekday() const;

  LocalTime operator+(std::int64_t s) const { return LocalTime(seconds_ + s); }
  LocalTime operator-(std::int64_t s) const { return LocalTime(seconds_ - s); }
  std::int64_t operator-(LocalTime other) const { return seconds_ - other.seconds_; }
  auto operator<=>(const LocalTime&) const = default;

 private:
  constexpr explicit LocalTime(std::int64_t s) : seconds_(s) {}
  std::int64_t seconds_ = 0;
};

// "Monday, 07-12-2026, 14:05:09": full day name in the C library's current locale.
std::string FormatLogStamp(LocalTime t);
// "261207140509": two-digit year, month, day, hours, minutes, seconds.
std::string FormatCompactStamp(LocalTime t);

}  // namespace tw
