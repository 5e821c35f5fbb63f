#include "common/geometry/meter_values.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(MeterValues, InvariantsHoldAfterEverySetting) {
  MeterValues m;
  EXPECT_EQ(m.Total(), 100);
  EXPECT_EQ(m.Completed(), 50);
  EXPECT_EQ(m.Percent(), 50);

  EXPECT_TRUE(m.SetTotal(0));
  EXPECT_EQ(m.Total(), 1);
  EXPECT_EQ(m.Completed(), 1);
  EXPECT_EQ(m.Percent(), 100);
  m.SetTotal(-20);
  EXPECT_EQ(m.Total(), 1);

  m.SetTotal(100);
  EXPECT_TRUE(m.SetCompleted(150));
  EXPECT_EQ(m.Completed(), 100);
  EXPECT_EQ(m.Percent(), 100);
  m.SetCompleted(-5);
  EXPECT_EQ(m.Completed(), 0);
  EXPECT_FALSE(m.SetCompleted(0));

  m.SetTotal(200);
  EXPECT_TRUE(m.SetPercent(150));
  EXPECT_EQ(m.Percent(), 100);
  EXPECT_EQ(m.Completed(), 200);
  m.SetPercent(25);
  EXPECT_EQ(m.Completed(), 50);
  EXPECT_EQ(m.Percent(), 25);

  m.SetTotal(3);  // Completed follows the smaller total
  EXPECT_EQ(m.Completed(), 3);
  m.SetCompleted(2);
  EXPECT_EQ(m.Percent(), 66);

  m.SetTotal(2'000'000'000);
  m.SetCompleted(1'999'999'999);  // no overflow in the percentage
  EXPECT_EQ(m.Percent(), 99);
}

TEST(MeterValues, SplitAlongEachDirection) {
  using enum MeterDirection;
  struct Case {
    MeterDirection direction;
    PixelRect area;
    int completed, total;
    PixelRect done, rest;
  };
  const Case cases[] = {
      {kTopToBottom, {0, 0, 20, 265}, 55, 100, {0, 0, 20, 145}, {0, 145, 20, 120}},
      {kBottomToTop, {0, 0, 20, 265}, 55, 100, {0, 120, 20, 145}, {0, 0, 20, 120}},
      {kLeftToRight, {2, 2, 176, 21}, 50, 100, {2, 2, 88, 21}, {90, 2, 88, 21}},
      {kRightToLeft, {2, 2, 176, 21}, 1, 4, {134, 2, 44, 21}, {2, 2, 132, 21}},
      {kLeftToRight, {0, 0, 100, 10}, 100, 100, {0, 0, 100, 10}, {100, 0, 0, 10}},
      {kLeftToRight, {0, 0, 100, 10}, 0, 100, {0, 0, 0, 10}, {0, 0, 100, 10}},
  };
  for (const Case& c : cases) {
    MeterSplit split = SplitMeter(c.area, c.direction, c.completed, c.total);
    EXPECT_EQ(split.done, c.done) << static_cast<int>(c.direction);
    EXPECT_EQ(split.rest, c.rest) << static_cast<int>(c.direction);
  }
}

}  // namespace
}  // namespace tw
