// The font resolution in an X resource database: read, set without disturbing the other
// lines, and judged.
#include "setup/model/display_resolution.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(DisplayResolution, SetsOneLineAndKeepsTheRest) {
  const struct {
    const char* database;
    const char* value;  // of Xft.dpi, "-" for none
    bool scales;
    const char* set_to_96;
  } rows[] = {
      {"", "-", false, "Xft.dpi:\t96\n"},
      {"Xft.dpi:\t96\n", "96", false, "Xft.dpi:\t96\n"},
      {"Xft.dpi:\t120\n", "120", true, "Xft.dpi:\t96\n"},
      {"*background:\tgrey\nXft.dpi : 144 \nXcursor.size:\t24", "144", true,
       "*background:\tgrey\nXft.dpi:\t96\nXcursor.size:\t24"},
      // The last line counts; the first of them is replaced, the others go.
      {"Xft.dpi:\t96\nXft.dpi:\t192\n", "192", true, "Xft.dpi:\t96\n"},
      {"Xft.dpi:\tlarge\n", "large", true, "Xft.dpi:\t96\n"},
      {"Xft.dpi:\t96.0\n", "96.0", false, "Xft.dpi:\t96\n"},
      // Other names that merely contain it.
      {"Xft.dpiScale:\t2\nMy.Xft.dpi:\t120\n", "-", false, "Xft.dpiScale:\t2\nMy.Xft.dpi:\t120\nXft.dpi:\t96\n"},
      {"Xft.antialias:\t1", "-", false, "Xft.antialias:\t1\nXft.dpi:\t96\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.database);
    const auto value = ResourceValue(row.database, kFontResolutionResource);
    EXPECT_EQ(value.value_or("-"), row.value);
    EXPECT_EQ(ScalesTheKiosk(row.database), row.scales);
    const std::string set = WithResource(row.database, kFontResolutionResource, "96");
    EXPECT_EQ(set, row.set_to_96);
    EXPECT_FALSE(ScalesTheKiosk(set));
  }
}

}  // namespace
}  // namespace tw
