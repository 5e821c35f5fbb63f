// The main window's commands as steps over real files.
#include "setup/model/setup_session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

constexpr const char* kLive = "[URLS]\nStart=http://live.example/\n";

TEST(SetupSession, OpenSaveAsAndApply) {
  test::TempDir dir;
  test::Spit(dir.File("Tarnwick.ini"), kLive);
  SetupSession session(dir.path());
  EXPECT_EQ(session.Caption(), "Tarnwick Setup Manager v2.1 - Tarnwick.ini");
  EXPECT_FALSE(session.HasUnsavedChanges());
  session.config().SetValue("URLS", "Help", "http://help.example/");

  // A failed Open keeps the pages as they were.
  EXPECT_THROW(session.Open(dir.File("Configurations/none.ini")), SetupFileError);
  EXPECT_THROW(session.Open(dir.path()), SetupFileError);
  EXPECT_EQ(session.config().Value("URLS", "Help"), "http://help.example/");

  // Save As writes the named file only.
  const std::string named = session.ConfigurationsFolder() + "library.ini";
  EXPECT_EQ(session.SaveAs(named).outcome, SetupSession::Outcome::kSaved);
  EXPECT_EQ(test::Slurp(dir.File("Tarnwick.ini")), kLive);
  EXPECT_EQ(session.Caption(), "Tarnwick Setup Manager v2.1 - library.ini");
  EXPECT_EQ(ProfileText(test::Slurp(named)).Get("URLS", "Help"), "http://help.example/");

  // An error blocks OK and writes nothing.
  session.config().SetValue("PREFERENCES", "LogHour", "25");
  const auto blocked = session.Apply(false);
  EXPECT_EQ(blocked.outcome, SetupSession::Outcome::kBlocked);
  EXPECT_TRUE(HasErrors(blocked.problems));
  EXPECT_EQ(test::Slurp(dir.File("Tarnwick.ini")), kLive);
  session.Reload();
  EXPECT_EQ(session.config().Value("URLS", "Help"), "");

  // Opening the named configuration makes it what OK writes.
  session.Open(named);
  EXPECT_TRUE(session.HasUnsavedChanges());
  EXPECT_EQ(session.config().Value("URLS", "Help"), "http://help.example/");
  EXPECT_EQ(session.Apply(false).outcome, SetupSession::Outcome::kSaved);
  EXPECT_EQ(ProfileText(test::Slurp(dir.File("Tarnwick.ini"))).Get("URLS", "Help"), "http://help.example/");
  EXPECT_FALSE(session.HasUnsavedChanges());
  EXPECT_EQ(session.Caption(), "Tarnwick Setup Manager v2.1 - Tarnwick.ini");
}

TEST(SetupSession, AFileChangedOnDiskIsNotOverwrittenUnasked) {
  test::TempDir dir;
  test::Spit(dir.File("Tarnwick.ini"), kLive);
  SetupSession session(dir.path());
  session.config().SetValue("URLS", "Help", "http://mine.example/");
  test::Spit(dir.File("Tarnwick.ini"), "[URLS]\nStart=http://someone-else.example/\n");
  ASSERT_TRUE(session.ChangedOnDisk());
  EXPECT_EQ(session.Apply(false).outcome, SetupSession::Outcome::kChangedOnDisk);
  EXPECT_EQ(test::Slurp(dir.File("Tarnwick.ini")), "[URLS]\nStart=http://someone-else.example/\n");
  EXPECT_EQ(session.Apply(true).outcome, SetupSession::Outcome::kSaved);
  EXPECT_EQ(ProfileText(test::Slurp(dir.File("Tarnwick.ini"))).Get("URLS", "Help"), "http://mine.example/");
  EXPECT_FALSE(session.ChangedOnDisk());
}

// Opening a configuration brings its keyboard layout when this folder has it; otherwise
// the keyboard being edited is kept, never replaced by a built-in one.
TEST(SetupSession, OpenKeepsTheKeyboardUnlessItsLayoutIsHere) {
  // A language file as a save writes it: with all ten messages.
  const auto full = [](const std::string& text) { return SetupConfig("", text).LanguageText(); };
  test::TempDir dir;
  const std::string custom =
      "[LANGUAGE]\nCurKB=My own\n[KEYBOARD]\nKey1=\"a\",\"b\"\n[MESSAGES]\nNewBrowserTitle=Mine\n";
  test::Spit(dir.File("TWLang.ini"), custom);
  std::filesystem::create_directories(dir.File("Language"));
  const std::string german = "[LANGUAGE]\nCurKB=German\n[MESSAGES]\nNewBrowserTitle=Neues Fenster\n";
  test::Spit(dir.File("Language/German.ini"), german);
  test::Spit(dir.File("Language/French.ini"), "[LANGUAGE]\nCurKB=French\n");
  test::Spit(dir.File("old.ini"), "[KEYBOARD]\nAssociated=C:\\Tarnwick\\Language\\German.ini\n");
  test::Spit(dir.File("lost.ini"), "[KEYBOARD]\nAssociated=/elsewhere/Language/Swedish.ini\n");
  test::Spit(dir.File("none.ini"), "[URLS]\nStart=x\n");
  SetupSession session(dir.path());
  EXPECT_EQ(session.LayoutNames(), (std::vector<std::string>{"French", "German"}));

  EXPECT_FALSE(session.Open(dir.File("old.ini")));
  EXPECT_EQ(session.config().LanguageText(), full(german));
  EXPECT_EQ(session.config().Message(0), "Neues Fenster");
  EXPECT_EQ(session.config().Value("KEYBOARD", "Associated"), dir.File("Language/German.ini"));

  session.Reload();
  for (const char* name : {"lost.ini", "none.ini"}) {
    const auto notice = session.Open(dir.File(name));
    ASSERT_TRUE(notice) << name;
    EXPECT_NE(notice->find("the current keyboard is kept"), std::string::npos) << *notice;
    EXPECT_EQ(session.config().LanguageText(), full(custom)) << name;
  }
  // OK writes the kept keyboard back unchanged.
  ASSERT_EQ(session.Apply(false).outcome, SetupSession::Outcome::kSaved);
  EXPECT_EQ(test::Slurp(dir.File("TWLang.ini")), full(custom));
  const std::string kept = test::Slurp(dir.File("TWLang.ini"));

  // A chosen layout reaches TWLang.ini with OK, not before.
  session.ChooseLayout("German");
  EXPECT_TRUE(session.HasUnsavedChanges());
  EXPECT_EQ(test::Slurp(dir.File("TWLang.ini")), kept);
  EXPECT_THROW(session.ChooseLayout("Klingon"), SetupFileError);
  ASSERT_EQ(session.Apply(false).outcome, SetupSession::Outcome::kSaved);
  EXPECT_EQ(test::Slurp(dir.File("TWLang.ini")), full(german));
  EXPECT_EQ(ProfileText(test::Slurp(dir.File("Tarnwick.ini"))).Get("KEYBOARD", "Associated"),
            dir.File("Language/German.ini"));
}

}  // namespace
}  // namespace tw
