// The configuration check (the kiosk's readers and the Setup Manager's validation): the
// demo is clean, planted errors are all reported once with their keys, and a missing file
// is an error.
#include "kiosk/core/settings/config_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/config/profile_file.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The demo's files with their folder filled in, as scripts/demo writes them.
void WriteDemo(const test::TempDir& dir) {
  const std::string demo = std::string(TARNWICK_SOURCE_DIR) + "/demo";
  for (const char* folder : {"pictures", "pages", "help"}) {
    std::filesystem::copy(demo + "/" + folder, dir.File(folder), std::filesystem::copy_options::recursive);
  }
  for (const char* name : {"Tarnwick.ini", "TWLang.ini"}) {
    std::string text = ReadAll(demo + "/" + name);
    for (auto at = text.find("@DEMO_DIR@"); at != std::string::npos; at = text.find("@DEMO_DIR@", at)) {
      text.replace(at, 10, dir.path());
    }
    std::ofstream(dir.File(name), std::ios::binary) << text;
  }
}

std::vector<std::string> Texts(const std::vector<ConfigProblem>& problems) {
  std::vector<std::string> texts;
  for (const auto& p : problems) texts.push_back(p.Text());
  return texts;
}

TEST(ConfigCheck, TheDemoIsClean) {
  test::TempDir dir;
  WriteDemo(dir);
  EXPECT_EQ(Texts(CheckKioskConfiguration(dir.path() + "/")), std::vector<std::string>{});
}

TEST(ConfigCheck, EveryPlantedProblemIsReportedWithItsKey) {
  test::TempDir dir;
  WriteDemo(dir);
  ProfileFile ini(dir.File("Tarnwick.ini"));
  ini.WriteString("ATTRACT", "TimeStart", "60s");
  ini.WriteString("ATTRACT", "VideoWidth", "wide");
  ini.WriteString("BUTTONS", "PrintOn", "5a");
  ini.WriteString("PREFERENCES", "EMailSecurity", "ssl");
  ini.WriteString("PREFERENCES", "Splash", dir.File("no-such.png"));
  ini.WriteString("PREFERENCES", "LogHour", "25");  // a number, but no hour: the Setup Manager's check
  ini.WriteString("PREFERENCES", "Password", "");   // asked for (PasswordOn=1), never given: no way out
  const auto problems = CheckKioskConfiguration(dir.path() + "/");
  const std::vector<std::pair<std::string, bool>> expected = {
      {"[ATTRACT] TimeStart=60s", true}, {"[ATTRACT] VideoWidth=wide", true},
      {"[BUTTONS] PrintOn=5a", true},    {"[PREFERENCES] EMailSecurity=ssl", true},
      {"[PREFERENCES] Splash=", false},  {"[PREFERENCES] LogHour=25", true},
      {"[PREFERENCES] Password=", false}};
  for (const auto& [key, error] : expected) {
    int found = 0;
    for (const auto& p : problems) {
      if (p.Text().find(key) == std::string::npos) continue;
      ++found;
      EXPECT_EQ(p.error, error) << p.Text();
    }
    EXPECT_EQ(found, 1) << key;
  }
  EXPECT_EQ(problems.size(), expected.size());
}

TEST(ConfigCheck, AMissingFileIsAnError) {
  test::TempDir dir;
  WriteDemo(dir);
  std::filesystem::remove(dir.File("TWLang.ini"));
  const auto problems = CheckKioskConfiguration(dir.path() + "/");
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_TRUE(problems[0].error);
  EXPECT_EQ(problems[0].Text(), "error: TWLang.ini: cannot be read: " + dir.File("TWLang.ini"));
}

}  // namespace
}  // namespace tw
