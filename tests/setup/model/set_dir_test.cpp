#include "setup/model/set_dir.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(SetDir, RebasesEveryFormOfTheExamplePath) {
  struct Row {
    std::string value;
    std::string folder;
    std::string expected;
  };
  const Row rows[] = {
      {"/opt/tarnwick/pictures/top.png", "/srv/kiosk/", "/srv/kiosk/pictures/top.png"},
      {"/opt/tarnwick/pictures/top.png", "/srv/kiosk", "/srv/kiosk/pictures/top.png"},
      // Linux paths keep their case: this is another folder.
      {"/OPT/Tarnwick/a.png", "/srv/kiosk/", "/OPT/Tarnwick/a.png"},
      {"C:\\TARNWICK\\pics\\a.bmp", "/srv/kiosk/", "/srv/kiosk/pics/a.bmp"},
      {"file:///C|/Tarnwick/pages/start.htm", "/srv/my kiosk/", "file:///srv/my%20kiosk/pages/start.htm"},
      {"file:///opt/tarnwick/pages/start.htm", "/srv/a#b/", "file:///srv/a%23b/pages/start.htm"},
      // Every occurrence, and an old path ends at a blank.
      {"/opt/tarnwick/bin/viewer /opt/tarnwick/docs/a.pdf", "/k/", "/k/bin/viewer /k/docs/a.pdf"},
      {"C:\\Tarnwick\\x.exe C:\\Tarnwick\\y\\z.txt", "/k/", "/k/x.exe /k/y/z.txt"},
      {"http://example.org/opt/tarnwick/", "/k/", "http://example.org/opt/tarnwick/"},
      {"\"/opt/tarnwick/a b.exe\" -x", "/k/", "\"/k/a b.exe\" -x"},
      {"nothing here", "/k/", "nothing here"},
      {"C|/Tarnwick", "/k/", "C|/Tarnwick"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(RebaseExamplePaths(row.value, row.folder), row.expected) << row.value;
  }
}

TEST(SetDir, ChangesKeysAndListsButNotTheNotes) {
  SetupConfig config(
      "[URLS]\nStart=file:///opt/tarnwick/pages/start.htm\n[PROGRAMS]\nProgram0=C:\\Tarnwick\\a.exe\n"
      "[CONFIGURATION]\nConfString0=made in /opt/tarnwick/\n",
      "");
  EXPECT_EQ(CountExamplePaths(config), 2u);
  EXPECT_EQ(RebaseExamplePaths(config, "/srv/k"), 2u);
  EXPECT_EQ(config.Value("URLS", "Start"), "file:///srv/k/pages/start.htm");
  EXPECT_EQ(config.List(ConfigListId::kPrograms), (ConfigRows{{"/srv/k/a.exe"}}));
  EXPECT_EQ(config.List(ConfigListId::kConfiguration), (ConfigRows{{"made in /opt/tarnwick/"}}));
  EXPECT_EQ(CountExamplePaths(config), 0u);
  EXPECT_FALSE(OffersSetDir("/opt/tarnwick"));
  EXPECT_TRUE(OffersSetDir("/srv/k/"));
}

}  // namespace
}  // namespace tw
