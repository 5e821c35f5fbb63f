// Geometry of the analog clock: the dial, the hour marks and the hands.
#pragma once

#include <array>

#include "common/geometry/pixel_rect.h"

namespace tw {

struct ClockGeometry {
  PixelRect dial;  // square of side min(width, height), centred in the control
  PixelPoint centre;
  int tick_radius = 0;    // 0.9 * (side / 2), rounded
  int minute_length = 0;  // 0.9 * tick radius, rounded (also the seconds hand)
  int hour_length = 0;    // 0.6 * tick radius, rounded
};

ClockGeometry ClockGeometryFor(int width, int height);

struct ClockMark {
  PixelPoint centre;
  int diameter = 0;  // 4 at 12, 3, 6 and 9 o'clock, 3 elsewhere
};

// The twelve hour marks, starting at 12 o'clock and going clockwise.
std::array<ClockMark, 12> ClockMarks(const ClockGeometry& geometry);

// Angles in degrees clockwise from 12 o'clock. The hour hand moves on with the minutes.
double HourAngle(int hour, int minute);
double MinuteAngle(int minute);
double SecondAngle(int second);

// The point at a distance from the centre in the direction of an angle, rounded.
PixelPoint PointAt(PixelPoint centre, double angle_degrees, double distance);

// A kite-shaped hand: tip at the full length, the two side corners and the back
// corner at a sixteenth of the length from the centre. Order: tip, right, back, left.
std::array<PixelPoint, 4> HandKite(PixelPoint centre, double angle_degrees, int length);

}  // namespace tw
