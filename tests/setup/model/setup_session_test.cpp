// The main window's commands as steps over real files.
#include "setup/model/setup_session.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tw
