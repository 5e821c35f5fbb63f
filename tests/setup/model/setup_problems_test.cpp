// What validation says about one faulty value: its severity, where it is shown and why.
#include "setup/model/setup_problems.h"

#include <gtest/gtest.h>

#include <functional>

#include "setup/model/setup_fields.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

struct Row {
  std::string name;
  std::function<void(SetupConfig&, const std::string& dir)> change;
  ProblemSeverity severity;
  int page;
  std::string key;
  std::string says;
};

// A configuration without problems: existing files, a start page, every value in range.
SetupConfig CleanConfig(const test::TempDir& dir) {
  test::Spit(dir.File("start.htm"), "<p>start</p>");
  SetupConfig config;
  config.SetValue("URLS", "Start", "file://" + dir.File("start.htm"));
  config.SetValue("BUTTONS", "NumberOfButtons", "7");  // the keyboard button's slot 7 is on the bar
  for (const auto& [key, slot] : {std::pair{"StartOn", "1"},
                                  {"BackOn", "2"},
                                  {"ForwardOn", "3"},
                                  {"HelpOn", "4"},
                                  {"PrintOn", "5"},
                                  {"KeyboardOn", "7"}}) {
    config.SetValue("BUTTONS", key, slot);
  }
  return config;
}

TEST(SetupProblems, OneRowPerFault) {
  const std::string too_long(1024, 'x');
  const Row rows[] = {
      {"hour", [](SetupConfig& c, auto&) { c.SetValue("PREFERENCES", "LogHour", "24"); }, ProblemSeverity::kError,
       kLogFilePage, "LogHour", "from 0 to 23; it is 24"},
      {"minute", [](SetupConfig& c, auto&) { c.SetValue("PREFERENCES", "LogMinute", "soon"); }, ProblemSeverity::kError,
       kLogFilePage, "LogMinute", "'soon' is not a whole number"},
      {"attract time", [](SetupConfig& c, auto&) { c.SetValue("ATTRACT", "TimeStart", "-10"); },
       ProblemSeverity::kError, kAttractPage, "TimeStart", "from 0 to 21600"},
      {"carousel time",
       [](SetupConfig& c, auto&) {
         c.SetList(ConfigListId::kCarousel, {{"http://a/", "0"}});
       },
       ProblemSeverity::kError, kAttractPage, "Time0", "from 1 to 21600; it is 0"},
      {"slot", [](SetupConfig& c, auto&) { c.SetValue("BUTTONS", "HelpOn", "9"); }, ProblemSeverity::kError,
       kButtonsPage, "HelpOn", "from 0 (hidden) to 8"},
      {"shared slot", [](SetupConfig& c, auto&) { c.SetValue("BUTTONS", "StopOn", "1"); }, ProblemSeverity::kWarning,
       kButtonsPage, "StopOn", "also taken by StartOn"},
      {"slot beyond the bar", [](SetupConfig& c, auto&) { c.SetValue("BUTTONS", "NumberOfButtons", "5"); },
       ProblemSeverity::kWarning, kButtonsPage, "KeyboardOn", "beyond the 5 buttons"},
      {"button count", [](SetupConfig& c, auto&) { c.SetValue("BUTTONS", "NumberOfButtons", "9"); },
       ProblemSeverity::kWarning, kButtonsPage, "NumberOfButtons", "kept as it is"},
      {"screen mode", [](SetupConfig& c, auto&) { c.SetValue("PREFERENCES", "ScreenMode", "7"); },
       ProblemSeverity::kWarning, kPreferencesPage, "ScreenMode", "'7' is not one of the choices"},
      {"colour", [](SetupConfig& c, auto&) { c.SetValue("CLOCK", "FaceColour", "red"); }, ProblemSeverity::kError,
       kBusyBarPage, "FaceColour", "is not a colour"},
      {"short colour", [](SetupConfig& c, auto&) { c.SetValue("BUSYBAR", "TopColour", "$FFFFFF"); },
       ProblemSeverity::kError, kBusyBarPage, "TopColour", "is not a colour"},
      {"password letter", [](SetupConfig& c, auto&) { c.SetValue("PREFERENCES", "Password", "AbC"); },
       ProblemSeverity::kWarning, kSecurityPage, "Password", "other than A to Z"},
      {"long password", [](SetupConfig& c, auto&) { c.SetValue("PREFERENCES", "Password", std::string(256, 'A')); },
       ProblemSeverity::kError, kSecurityPage, "Password", "at most 255"},
      {"too long", [&](SetupConfig& c, auto&) { c.SetValue("URLS", "Help", "http://a/" + too_long); },
       ProblemSeverity::kError, kBannersPage, "Help", "the kiosk reads at most 1023"},
      {"too long item", [&](SetupConfig& c, auto&) { c.SetList(ConfigListId::kPrograms, {{too_long}}); },
       ProblemSeverity::kError, kCommandPage, "Program0", "reads at most 1023"},
      {"blanks", [](SetupConfig& c, auto&) { c.SetList(ConfigListId::kChildStrings, {{" Save As"}}); },
       ProblemSeverity::kWarning, kPreferencesPage, "ChildString0", "Blanks at the start or end"},
      {"message line break", [](SetupConfig& c, auto&) { c.SetMessage(0, "New\nwindow"); }, ProblemSeverity::kWarning,
       kSecurityPage, "NewBrowserTitle", "saved as spaces"},
      {"missing file", [](SetupConfig& c, const std::string& d) { c.SetValue("GRAPHICS", "Top", d + "/no.png"); },
       ProblemSeverity::kWarning, kGraphicsPage, "Top", "/no.png does not exist"},
      {"missing page",
       [](SetupConfig& c, const std::string& d) { c.SetValue("URLS", "Help", "file://" + d + "/h.htm"); },
       ProblemSeverity::kWarning, kBannersPage, "Help", "/h.htm does not exist"},
      {"missing browser",
       [](SetupConfig& c, const std::string& d) { c.SetValue("BROWSER", "FileName", d + "/nb --x"); },
       ProblemSeverity::kWarning, kPreferencesPage, "FileName", "/nb: No such file or directory"},
      {"old system page", [](SetupConfig& c, auto&) { c.SetValue("URLS", "Logo", "file:///C|/Tarnwick/a.htm"); },
       ProblemSeverity::kWarning, kBannersPage, "Logo", "another system"},
      {"no start page", [](SetupConfig& c, auto&) { c.SetValue("URLS", "Start", ""); }, ProblemSeverity::kWarning,
       kBannersPage, "Start", "no start page"},
      {"plain-text log-in", [](SetupConfig& c, auto&) { c.SetValue("EMAIL", "AllowPlainTextAuth", "1"); },
       ProblemSeverity::kWarning, kEmailPage, "AllowPlainTextAuth", "sent unencrypted"},
      {"idle time shorter than twice the warning",
       [](SetupConfig& c, auto&) { c.SetValue("ATTRACT", "TimeStart", "30"); }, ProblemSeverity::kWarning, kAttractPage,
       "IdleWarningSeconds", "counts down only 15 s of the 20"},
  };
  for (const Row& row : rows) {
    test::TempDir dir;
    SetupConfig config = CleanConfig(dir);
    ASSERT_TRUE(ValidateSetup(config).empty()) << row.name;
    row.change(config, dir.path());
    const auto problems = ValidateSetup(config);
    std::string texts;
    for (const SetupProblem& p : problems) texts += p.key + ": " + p.text + "\n";
    ASSERT_EQ(problems.size(), 1u) << row.name << ":\n" << texts;
    const SetupProblem& p = problems[0];
    EXPECT_EQ(p.severity, row.severity) << row.name;
    EXPECT_EQ(p.page, row.page) << row.name;
    EXPECT_EQ(p.key, row.key) << row.name;
    EXPECT_NE(p.text.find(row.says), std::string::npos) << row.name << ": " << p.text;
    EXPECT_FALSE(p.field.empty()) << row.name;
    EXPECT_EQ(HasErrors(problems), row.severity == ProblemSeverity::kError) << row.name;
  }
}

TEST(SetupProblems, KeysTooSmallForAFingerOnThisScreen) {
  struct Case {
    const char* mode;
    ScreenSize screen;
    const char* says;  // nullptr: no warning
  };
  const Case cases[] = {
      {"A", {1920, 477}, nullptr},        // a 21.5-inch screen: keys of 24 mm
      {"0", {1920, 400}, "6.7 mm wide"},  // the smallest mode on a large screen
      {"A", {800, 150}, "7.5 mm wide"},   // a 7-inch screen, laid out for it
      {"1", {800, 0}, nullptr},           // the screen does not say its size
      {"7", {800, 211}, nullptr},         // an unknown mode lays out for the screen (its own warning)
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    SetupConfig config = CleanConfig(dir);
    config.SetValue("PREFERENCES", "ScreenMode", c.mode);
    std::string found;
    for (const SetupProblem& p : ValidateSetup(config, c.screen)) {
      if (p.text.find("finger") != std::string::npos) found = p.key + ": " + p.text;
    }
    if (c.says == nullptr) {
      EXPECT_EQ(found, "") << c.mode << " " << c.screen.width_px;
    } else {
      EXPECT_NE(found.find(c.says), std::string::npos) << c.mode << ": " << found;
      EXPECT_EQ(found.rfind("ScreenMode: ", 0), 0u) << found;
    }
  }
}

TEST(SetupProblems, ABrowserCommandLineOnThePathIsFound) {
  test::TempDir dir;
  SetupConfig config = CleanConfig(dir);
  config.SetValue("BROWSER", "FileName", "sh --lang=de");
  EXPECT_TRUE(ValidateSetup(config).empty());
}

TEST(SetupProblems, TheDemoHasNoErrors) {
  const std::string demo = test::Slurp(std::string(TARNWICK_SOURCE_DIR) + "/demo/Tarnwick.ini");
  const auto problems = ValidateSetup(SetupConfig(demo, ""));
  EXPECT_FALSE(HasErrors(problems));
}

}  // namespace
}  // namespace tw
