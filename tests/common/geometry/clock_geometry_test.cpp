#include "common/geometry/clock_geometry.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ClockGeometry, DialIsCentredSquare) {
  struct Case {
    int w, h;
    PixelRect dial;
    PixelPoint centre;
    int radius, minute, hour;
  };
  const Case cases[] = {
      {50, 60, {0, 5, 50, 50}, {25, 30}, 23, 21, 14},  // 0.9*25=22.5
      {60, 60, {0, 0, 60, 60}, {30, 30}, 27, 24, 16},
      {100, 40, {30, 0, 40, 40}, {50, 20}, 18, 16, 11},
  };
  for (const Case& c : cases) {
    ClockGeometry g = ClockGeometryFor(c.w, c.h);
    EXPECT_EQ(g.dial, c.dial) << c.w << "x" << c.h;
    EXPECT_EQ(g.centre, c.centre) << c.w << "x" << c.h;
    EXPECT_EQ(g.tick_radius, c.radius) << c.w << "x" << c.h;
    EXPECT_EQ(g.minute_length, c.minute) << c.w << "x" << c.h;
    EXPECT_EQ(g.hour_length, c.hour) << c.w << "x" << c.h;
  }
}

TEST(ClockGeometry, MarksAndHandsPointTheRightWay) {
  ClockGeometry g = ClockGeometryFor(60, 60);
  auto marks = ClockMarks(g);
  EXPECT_EQ(marks[0].centre, (PixelPoint{30, 3}));
  EXPECT_EQ(marks[3].centre, (PixelPoint{57, 30}));
  EXPECT_EQ(marks[6].centre, (PixelPoint{30, 57}));
  EXPECT_EQ(marks[9].centre, (PixelPoint{3, 30}));
  for (int i = 0; i < 12; ++i) EXPECT_EQ(marks[i].diameter, i % 3 == 0 ? 4 : 3) << i;

  EXPECT_DOUBLE_EQ(HourAngle(15, 30), 105.0);
  EXPECT_DOUBLE_EQ(MinuteAngle(45), 270.0);
  EXPECT_DOUBLE_EQ(SecondAngle(15), 90.0);

  auto kite = HandKite({30, 30}, 90.0, 32);  // pointing at 3 o'clock
  EXPECT_EQ(kite[0], (PixelPoint{62, 30}));
  EXPECT_EQ(kite[1], (PixelPoint{30, 32}));
  EXPECT_EQ(kite[2], (PixelPoint{28, 30}));
  EXPECT_EQ(kite[3], (PixelPoint{30, 28}));
}

}  // namespace
}  // namespace tw
