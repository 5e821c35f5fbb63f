// The configuration model over the two files: exact round trips, edits that touch only
// their own lines, and a save that writes every key.
#include "setup/model/setup_config.h"

#include <gtest/gtest.h>

#include "common/config/config_defaults.h"
#include "support/file_text.h"

namespace tw {
namespace {

const std::string kDemo = std::string(TARNWICK_SOURCE_DIR) + "/demo/";

// Lines of a text, for comparing what an edit changed.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const auto nl = text.find('\n', pos);
    if (nl == std::string::npos) {
      if (pos < text.size()) lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, nl - pos));
    pos = nl + 1;
  }
  return lines;
}

// A file with every key, CRLF line ends, comments, an unknown key and section, hand-added
// keys, list sections with a comment inside and a last line without its line break.
std::string EveryKeyFile() {
  std::string text = DefaultConfigText();
  // A log time as the Setup Manager writes it (an empty one is written as 0).
  text.replace(text.find("LogHour=\n"), 9, "LogHour=3\n");
  text.replace(text.find("LogMinute=\n"), 11, "LogMinute=30\n");
  text = "; kiosk at the library\n# second comment\n" + text;
  text.insert(text.find("[BUTTONS]"), "Debug = 1\nMyOwnKey=kept\n\n");
  text += "[CAROUSELURLS]\nURL0=http://a.example/\n; between items\nURL1=file:///opt/tarnwick/b.htm\n";
  text += "[CAROUSELTIMES]\nTime0=30\nTime1=45\n";
  text += "[UNKNOWN]\nx=y\n[PROTOCOLS]\nBlock0=ftp";
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

TEST(SetupConfig, LoadingAndComposingUnchangedGivesTheSameBytes) {
  const std::string demo = test::Slurp(kDemo + "Tarnwick.ini");
  const std::string language = test::Slurp(kDemo + "TWLang.ini");
  ASSERT_FALSE(demo.empty());
  const SetupConfig demo_config(demo, language);
  EXPECT_EQ(demo_config.TarnwickText(), demo);
  EXPECT_EQ(demo_config.LanguageText(), language);
  EXPECT_FALSE(demo_config.IsDirty());

  const std::string every = EveryKeyFile();
  const SetupConfig every_config(every, "");
  EXPECT_EQ(every_config.TarnwickText(), every);
  EXPECT_EQ(every_config.List(ConfigListId::kCarousel),
            (ConfigRows{{"http://a.example/", "30"}, {"file:///opt/tarnwick/b.htm", "45"}}));
  EXPECT_EQ(every_config.List(ConfigListId::kProtocols), (ConfigRows{{"ftp"}}));
}

TEST(SetupConfig, AnEditChangesOnlyItsOwnLine) {
  const std::string every = EveryKeyFile();
  SetupConfig config(every, "");
  config.SetValue("urls", "start", "http://library.example/");
  EXPECT_TRUE(config.IsDirty());
  const auto before = Lines(every);
  const auto after = Lines(config.TarnwickText());
  ASSERT_EQ(before.size(), after.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) changed.push_back(after[i]);
  }
  EXPECT_EQ(changed, std::vector<std::string>{"Start=http://library.example/\r"});

  // Setting the value back gives the original bytes again.
  config.SetValue("URLS", "Start", "");
  EXPECT_EQ(config.TarnwickText(), every);
  EXPECT_FALSE(config.IsDirty());
}

TEST(SetupConfig, AnEditedListIsRewrittenInPlace) {
  const std::string every = EveryKeyFile();
  SetupConfig config(every, "");
  config.SetList(ConfigListId::kCarousel, {{"http://c.example/", "60"}, {"http://a.example/", "30"}, {"x", "5"}});
  config.SetList(ConfigListId::kProtocols, {});
  const std::string text = config.TarnwickText();
  const std::string expected_carousel =
      "[CAROUSELURLS]\r\nURL0=http://c.example/\r\nURL1=http://a.example/\r\nURL2=x\r\n; between items\r\n"
      "[CAROUSELTIMES]\r\nTime0=60\r\nTime1=30\r\nTime2=5\r\n[UNKNOWN]\r\nx=y\r\n";
  EXPECT_NE(text.find(expected_carousel), std::string::npos) << text;
  EXPECT_EQ(text.find("[PROTOCOLS]"), std::string::npos);
  // Everything before the lists is untouched.
  const auto head = every.substr(0, every.find("[CAROUSELURLS]"));
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(SetupConfig(text, "").List(ConfigListId::kCarousel), config.List(ConfigListId::kCarousel));
}

// An OK the operator has not touched writes nothing: every shipped configuration, a
// hand-written one of a few lines and files with no key at all come back byte for byte,
// and an absent key shows what the kiosk does without it. One change writes one line.
TEST(SetupConfig, AnUntouchedSaveGivesTheSameBytes) {
  const std::string demo = std::string(TARNWICK_SOURCE_DIR) + "/demo/";
  const std::pair<std::string, std::string> files[] = {
      {test::Slurp(demo + "Tarnwick.ini"), test::Slurp(demo + "TWLang.ini")},
      {"", test::Slurp(demo + "Language/German.ini")},
      {"[BUTTONS]\nNumberOfButtons=6\nStartOn=1\nHelpOn=2\n[URLS]\nStart=http://a.example/\n", "[MESSAGES]\n"},
      {"", ""},
      {EveryKeyFile(), ""},
  };
  for (const auto& [tarnwick, language] : files) {
    const SetupConfig config(tarnwick, language);
    EXPECT_EQ(config.TarnwickText(), tarnwick) << tarnwick.substr(0, 80);
    EXPECT_EQ(config.LanguageText(), language) << tarnwick.substr(0, 80);
    EXPECT_FALSE(config.IsDirty());
  }
  SetupConfig fresh;
  EXPECT_EQ(fresh.Value("BUTTONS", "KeyboardOn"), "0");  // hidden, as the kiosk shows it
  EXPECT_EQ(fresh.Value("TEXT", "Start"), "Start");
  EXPECT_EQ(fresh.Value("PREFERENCES", "PasswordOn"), "0");
  EXPECT_EQ(fresh.Value("URLS", "Start"), "");  // the kiosk's name for none is no address
  EXPECT_EQ(fresh.Message(3), "Server incorrect");
  fresh.SetValue("BUTTONS", "HelpOn", "4");
  EXPECT_EQ(fresh.TarnwickText(), "[BUTTONS]\nHelpOn=4\n");
}

TEST(SetupConfig, TypedValuesAndHandEditedValuesKeptAsTheyAre) {
  SetupConfig config("[BUTTONS]\nNumberOfButtons=9\n[PREFERENCES]\nScreenMode=x\nLogHour=later\nPassword=ab\n", "");
  EXPECT_EQ(config.Integer("BUTTONS", "NumberOfButtons"), 9);
  EXPECT_EQ(config.Value("PREFERENCES", "ScreenMode"), "x");
  EXPECT_EQ(config.Value("PREFERENCES", "Password"), "ab");
  EXPECT_EQ(config.Value("PREFERENCES", "LogHour"), "0");
  EXPECT_TRUE(config.Flag("PREFERENCES", "ShowBusyBar"));  // the kiosk's default, absent from the file
  config.SetFlag("PREFERENCES", "ShowBusyBar", false);
  EXPECT_EQ(ProfileText(config.TarnwickText()).Get("PREFERENCES", "ShowBusyBar"), "0");
  EXPECT_THROW(config.Value("PREFERENCES", "NoSuchKey"), std::out_of_range);
}

}  // namespace
}  // namespace tw
