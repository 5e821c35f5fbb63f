#include "common/geometry/clock_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tw {

ClockGeometry ClockGeometryFor(int width, int height) {
  ClockGeometry g;
  int side = std::max(0, std::min(width, height));
  g.dial = {(width - side) / 2, (height - side) / 2, side, side};
  g.centre = {g.dial.left + side / 2, g.dial.top + side / 2};
  g.tick_radius = static_cast<int>(std::lround(0.9 * (side / 2)));
  g.minute_length = static_cast<int>(std::lround(0.9 * g.tick_radius));
  g.hour_length = static_cast<int>(std::lround(0.6 * g.tick_radius));
  return g;
}

std::array<ClockMark, 12> ClockMarks(const ClockGeometry& geometry) {
  std::array<ClockMark, 12> marks;
  for (int i = 0; i < 12; ++i) {
    marks[i] = {PointAt(geometry.centre, i * 30.0, geometry.tick_radius), i % 3 == 0 ? 4 : 3};
  }
  return marks;
}

double HourAngle(int hour, int minute) { return (hour % 12) * 30.0 + minute * 0.5; }
double MinuteAngle(int minute) { return minute * 6.0; }
double SecondAngle(int second) { return second * 6.0; }

PixelPoint PointAt(PixelPoint centre, double angle_degrees, double distance) {
  double radians = angle_degrees * std::numbers::pi / 180.0;
  return {centre.x + static_cast<int>(std::lround(distance * std::sin(radians))),
          centre.y - static_cast<int>(std::lround(distance * std::cos(radians)))};
}

std::array<PixelPoint, 4> HandKite(PixelPoint centre, double angle_degrees, int length) {
  double corner = length / 16.0;
  return {PointAt(centre, angle_degrees, length), PointAt(centre, angle_degrees + 90.0, corner),
          PointAt(centre, angle_degrees + 180.0, corner), PointAt(centre, angle_degrees - 90.0, corner)};
}

}  // namespace tw
