#include "common/system/local_time.h"

#include <cstdio>

namespace tw {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::tm ToTm(LocalTime t) {
  const CivilTime c = t.Civil();
  std::tm tm{};
  tm.tm_year = c.year - 1900;
  tm.tm_mon = c.month - 1;
  tm.tm_mday = c.day;
  tm.tm_hour = c.hour;
  tm.tm_min = c.minute;
  tm.tm_sec = c.second;
  tm.tm_wday = t.Weekday();
  tm.tm_isdst = -1;
  return tm;
}

}  // namespace

LocalTime LocalTime::FromCivil(const CivilTime& c) {
  return LocalTime(DaysFromCivil(c.year, c.month, c.day) * kSecondsPerDay + c.hour * 3600 + c.minute * 60 + c.second);
}

LocalTime LocalTime::FromTimeT(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return FromCivil({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec});
}

CivilTime LocalTime::Civil() const {
  const std::int64_t days = FloorDiv(seconds_, kSecondsPerDay);
  const std::int64_t rest = seconds_ - days * kSecondsPerDay;
  CivilTime c;
  CivilFromDays(days, c.year, c.month, c.day);
  c.hour = static_cast<int>(rest / 3600);
  c.minute = static_cast<int>(rest / 60 % 60);
  c.second = static_cast<int>(rest % 60);
  return c;
}

std::time_t LocalTime::ToTimeT() const {
  std::tm tm = ToTm(*this);
  return std::mktime(&tm);
}

std::int64_t LocalTime::TimeOfDay() const { return seconds_ - FloorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay; }

int LocalTime::Weekday() const {
  // 1970-01-01 was a Thursday (4).
  const std::int64_t days = FloorDiv(seconds_, kSecondsPerDay);
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

std::string FormatLogStamp(LocalTime t) {
  const std::tm tm = ToTm(t);
  char day_name[64] = {0};
  if (std::strftime(day_name, sizeof day_name, "%A", &tm) == 0) day_name[0] = '\0';
  const CivilTime c = t.Civil();
  char rest[48];
  std::snprintf(rest, sizeof rest, ", %02d-%02d-%04d, %02d:%02d:%02d", c.day, c.month, c.year, c.hour, c.minute,
                c.second);
  return std::string(day_name) + rest;
}

std::string FormatCompactStamp(LocalTime t) {
  const CivilTime c = t.Civil();
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02d", c.year % 100, c.month, c.day, c.hour, c.minute,
                c.second);
  return text;
}

}  // namespace tw
