#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
  // Local-time logic is tested in a fixed zone and the C locale's day names.
  setenv("TZ", "UTC", 1);
  tzset();
  std::setlocale(LC_ALL, "C");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
