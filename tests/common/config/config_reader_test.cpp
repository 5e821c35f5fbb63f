#include "common/config/config_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "support/temp_dir.h"

namespace tw {
namespace {

TEST(ConfigReader, DefaultsComeFromTheKeyTableAndNoReaderKeepsItsOwn) {
  test::TempDir dir;
  std::ofstream(dir.File("Tarnwick.ini")) << "[ATTRACT]\nVideoWidth=wide\n[BROWSER]\nBrowser=1\n";
  const ProfileFile file(dir.File("Tarnwick.ini"));
  SettingErrors errors;
  const ConfigReader read(file, errors);
  // Absent: the kiosk's defaults as the table gives them, of every kind.
  EXPECT_EQ(read.String("URLS", "Start"), "NoURLStart");
  EXPECT_TRUE(read.Bool("PREFERENCES", "ShowBusyBar"));
  EXPECT_FALSE(read.Bool("PREFERENCES", "SaveLog"));
  EXPECT_EQ(read.Integer("ATTRACT", "VideoHeight"), 600);
  EXPECT_EQ(static_cast<std::uint32_t>(read.Integer("CLOCK", "BackColour")), 0x8000000Fu);
  // Present; a value that is no number is recorded and costs only itself.
  EXPECT_EQ(read.Integer("BROWSER", "Browser"), 1);
  EXPECT_EQ(read.Integer("ATTRACT", "VideoWidth"), 800);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors.list()[0].key, "VideoWidth");
  // A key the table lacks, or one the kiosk does not read, is the program's fault.
  EXPECT_THROW(read.String("URLS", "NoSuchKey"), std::logic_error);
  EXPECT_THROW(read.Integer("BUTTONS", "TWCommand1"), std::logic_error);
}

}  // namespace
}  // namespace tw
