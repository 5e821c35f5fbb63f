#include "common/config/config_defaults.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/config/config_keys.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::Slurp;
using test::Spit;

std::vector<std::string> KeySectionsInOrder() {
  std::vector<std::string> names;
  for (const ConfigSection& section : ConfigSections()) {
    if (!section.is_list) names.emplace_back(section.name);
  }
  return names;
}

TEST(ConfigDefaults, FreshFileReadsBackEverySetupDefaultInOrder) {
  test::TempDir dir;
  const std::string path = dir.File("Tarnwick.ini");
  {
    ProfileFile writer(path);
    const auto start = std::chrono::steady_clock::now();
    WriteDefaultConfig(writer);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::cout << "[ figures  ] default file written key by key in "
              << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() << " ms\n";
  }

  const ProfileFile reader(path);
  for (const ConfigKey& key : ConfigKeys()) {
    if (!key.written) {
      EXPECT_FALSE(reader.ValueExists(key.section, key.name)) << key.name;
      continue;
    }
    // A default that differs from the marker proves the key is present.
    EXPECT_EQ(reader.ReadString(key.section, key.name, "<absent>"), key.setup_default)
        << key.section << "/" << key.name;
  }

  // Sections in file order, list sections absent, keys in table order with their spelling.
  EXPECT_EQ(ProfileText(Slurp(path)).SectionNames(), KeySectionsInOrder());
  for (const std::string& section : KeySectionsInOrder()) {
    std::vector<std::string> expected;
    for (const ConfigKey* key : ConfigKeysOf(section)) {
      if (key->written) expected.emplace_back(key->name);
    }
    EXPECT_EQ(reader.ReadSection(section), expected) << section;
  }
  for (const ConfigList& list : ConfigLists()) {
    EXPECT_TRUE(ReadConfigList(reader, list.id).empty());
  }

  // The text form is the same file.
  EXPECT_EQ(DefaultConfigText(), Slurp(path));
}

TEST(ConfigDefaults, TextBeginsAndEndsAsAFreshFile) {
  const std::string text = DefaultConfigText();
  EXPECT_TRUE(text.starts_with("[PREFERENCES]\nDefaultKeyboard=1\nNewBrowser=3\nScreenMode=A\n"));
  EXPECT_NE(text.find("\nLogHour=\nLogMinute=\n"), std::string::npos);
  EXPECT_NE(text.find("[BUSYBAR]\nTopColour=$00FFFFFF\nBottomColour=$00000000\nGraphic=\n"), std::string::npos);
  EXPECT_TRUE(
      text.ends_with("[GRAPHICS]\nTop=\nLeftFull=\nLeftHalf=\nRightFull=\nRightHalf=\n"
                     "Bottom=\nEmail1=\nEmail2=\nEmail3=\nError=\n"));
  EXPECT_EQ(text.find("Debug"), std::string::npos);
}

TEST(ConfigDefaults, SavingOverAnExistingFileKeepsItsOrderAndEmptiesLists) {
  test::TempDir dir;
  const std::string path = dir.File("Tarnwick.ini");
  std::ofstream(path) << "; operator's file\n"
                         "[BROWSER]\nDDE=NETSCAPE\nExtra=kept\n"
                         "[PROTOCOLS]\nBlock0=ftp\nBlock1=news\n"
                         "[preferences]\nDebug=1\nNewBrowser=1\n";
  ProfileFile file(path);
  WriteDefaultConfig(file);

  EXPECT_EQ(file.ReadString("BROWSER", "DDE", "?"), "");
  EXPECT_EQ(file.ReadString("BROWSER", "Extra", "?"), "kept");
  EXPECT_EQ(file.ReadString("PREFERENCES", "NewBrowser", "?"), "3");
  EXPECT_EQ(file.ReadString("PREFERENCES", "Debug", "?"), "1");
  EXPECT_FALSE(file.SectionExists("PROTOCOLS"));
  // Existing keys stay where they stood; new ones follow at the end of their section.
  EXPECT_EQ(file.ReadSection("BROWSER"), (std::vector<std::string>{"DDE", "Extra", "Browser", "FileName"}));
  const std::vector<std::string> sections = ProfileText(Slurp(path)).SectionNames();
  ASSERT_GE(sections.size(), 2u);
  EXPECT_EQ(sections[0], "BROWSER");
  EXPECT_EQ(sections[1], "preferences");
  EXPECT_TRUE(Slurp(path).starts_with("; operator's file\n"));
}

TEST(ConfigDefaults, UnwritableFileReportsThePath) {
  test::TempDir dir;
  ProfileFile file(dir.File("missing/Tarnwick.ini"));
  try {
    WriteDefaultConfig(file);
    FAIL() << "expected a write error";
  } catch (const ProfileWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.File("missing/Tarnwick.ini"));
  }
}

}  // namespace
}  // namespace tw
