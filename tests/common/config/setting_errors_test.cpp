#include "common/config/setting_errors.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/config/profile_file.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

TEST(SettingErrors, IntegersAndWhatIsRecorded) {
  test::TempDir dir;
  std::ofstream(dir.File("Tarnwick.ini")) << "[S]\nBlank= \nDecimal=12\nHex=$1F\nBad=5a\nEmpty=\n";
  const ProfileFile file(dir.File("Tarnwick.ini"));
  SettingErrors errors;
  EXPECT_EQ(errors.Integer(file, "S", "Absent", 7), 7);
  EXPECT_EQ(errors.Integer(file, "S", "Blank", 7), 7);
  EXPECT_EQ(errors.Integer(file, "S", "Decimal", 7), 12);
  EXPECT_EQ(errors.Integer(file, "S", "Hex", 7), 31);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(errors.Integer(file, "S", "Bad", 7), 7);
  // A list entry's time has to be there.
  EXPECT_EQ(errors.RequiredInteger(file, "S", "Decimal", "skipped"), 12);
  EXPECT_EQ(errors.RequiredInteger(file, "S", "Empty", "skipped"), std::nullopt);
  EXPECT_EQ(errors.RequiredInteger(file, "S", "Absent", "skipped"), std::nullopt);
  std::vector<std::string> texts;
  for (const SettingError& e : errors.list()) texts.push_back(e.Text());
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Setting [S] Bad=5a in Tarnwick.ini: '5a' is not a valid integer value - the default is used",
                       "Setting [S] Empty= in Tarnwick.ini: '' is not a valid integer value - skipped",
                       "Setting [S] Absent= in Tarnwick.ini: '' is not a valid integer value - skipped"}));
}

TEST(SettingErrors, SummaryCountsAndNamesTheFiles) {
  const SettingError tarnwick{"Tarnwick.ini", "S", "K", "x", "p", "o"};
  const SettingError language{"TWLang.ini", "KEYBOARD", "K", "x", "p", "o"};
  EXPECT_EQ(SettingErrorsSummary({tarnwick}), "1 bad setting in Tarnwick.ini - see log");
  EXPECT_EQ(SettingErrorsSummary({tarnwick, tarnwick}), "2 bad settings in Tarnwick.ini - see log");
  EXPECT_EQ(SettingErrorsSummary({tarnwick, language, tarnwick}), "3 bad settings in 2 files - see log");
}

}  // namespace
}  // namespace tw
