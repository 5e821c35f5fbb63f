#include "kiosk/core/log/activity_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <functional>
#include <fstream>

#include "fakes/manual_clock.h"
#include "kiosk/core/log_lines.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::Slurp;
using test::Spit;

using test::LogTexts;
using Texts = std::vector<std::string>;

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ActivityLogTest : public ::testing::Test {
 protected:
  ActivityLogTest() {
    paths_.log_dir = dir_.File("log/");
    paths_.feedback_dir = dir_.File("feedback/");
    paths_.sent_dir = dir_.File("feedback/sent/");
    std::filesystem::create_directories(paths_.sent_dir);
    std::filesystem::create_directories(paths_.log_dir);
    mail_.recipients = {{"op@example.org", "Operator"}, {"boss@example.org", "Boss"}};
  }

  std::unique_ptr<ActivityLog> MakeLog() {
    return std::make_unique<ActivityLog>(paths_, settings_, clock_, mail_,
                                         [this](const std::string& e) { errors_.push_back(e); });
  }
  std::string Current() const { return paths_.log_dir + "TWCurrentLog.txt"; }
  void SetFileTime(const std::string& path, const CivilTime& c) {
    const std::time_t t = LocalTime::FromCivil(c).ToTimeT();
    const struct utimbuf times { t, t };
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
  }

  test::TempDir dir_;
  LogPaths paths_;
  LogSettings settings_;
  test::ManualClock clock_{LocalTime::FromCivil({2026, 12, 7, 10, 0, 0})};
  LogMail mail_;
  std::vector<std::string> errors_;
};

TEST(ActivityLogFormat, LineHasDayNameDateTimeAndText) {
  // 7 December 2026 is a Monday.
  EXPECT_EQ(ActivityLog::FormatLine(LocalTime::FromCivil({2026, 12, 7, 9, 5, 3}), "Log opened"),
            "Monday, 07-12-2026, 09:05:03 --- Log opened\n");
  EXPECT_EQ(ActivityLog::FormatLine(LocalTime::FromCivil({2027, 1, 1, 23, 59, 59}), "a\r\nb"),
            "Friday, 01-01-2027, 23:59:59 --- a  b\n");
}

TEST_F(ActivityLogTest, LastActionTimeAtStartUp) {
  struct Case {
    int hour, minute;
    CivilTime now;
    CivilTime expected;
  };
  const Case cases[] = {
      {2, 0, {2026, 12, 7, 1, 0, 0}, {2026, 12, 6, 2, 0, 0}},     // before A: yesterday
      {2, 0, {2026, 12, 7, 2, 0, 0}, {2026, 12, 6, 2, 0, 0}},     // exactly A is not later
      {14, 0, {2026, 12, 7, 16, 0, 0}, {2026, 12, 7, 14, 0, 0}},  // after A: today
      {0, 0, {2026, 12, 7, 0, 0, 1}, {2026, 12, 7, 0, 0, 0}},
      {0, 0, {2027, 1, 1, 0, 0, 0}, {2026, 12, 31, 0, 0, 0}},  // across the year
  };
  for (const Case& c : cases) {
    settings_.log_hour = c.hour;
    settings_.log_minute = c.minute;
    clock_.Set(c.now);
    auto log = MakeLog();
    log->Open();
    EXPECT_EQ(log->last_action_time(), LocalTime::FromCivil(c.expected)) << c.hour << ":" << c.minute;
    log->Close();
  }
}

TEST_F(ActivityLogTest, FirstRollOverComesAfterTheActionTime) {
  settings_.log_hour = 2;
  clock_.Set({2026, 12, 7, 1, 0, 0});
  auto log = MakeLog();
  log->Open();
  for (int minute = 0; minute < 60; ++minute) {
    clock_.Set({2026, 12, 7, 1, minute, 59});
    log->CheckLogActionTime();
  }
  clock_.Set({2026, 12, 7, 2, 0, 0});
  log->CheckLogActionTime();
  EXPECT_EQ(LogTexts(Current()), (Texts{"Log opened"}));
  clock_.Set({2026, 12, 7, 2, 0, 1});
  log->CheckLogActionTime();
  EXPECT_EQ(LogTexts(Current()), (Texts{"Log opened"}));  // discarded: SaveLog and EMailLog off
  EXPECT_EQ(log->last_action_time(), LocalTime::FromCivil({2026, 12, 7, 2, 0, 1}));
}

TEST_F(ActivityLogTest, MidnightActionTimeComesOneMinuteEarlierEachDay) {
  settings_.save_log = true;
  clock_.Set({2026, 12, 7, 0, 0, 30});
  auto log = MakeLog();
  log->Open();
  std::vector<LocalTime> rolls;
  // Simulate three days, one check per second.
  for (int s = 0; s < 3 * 86400; ++s) {
    clock_.Advance(1);
    const LocalTime before = log->last_action_time();
    log->CheckLogActionTime();
    if (log->last_action_time() != before) rolls.push_back(clock_.Now());
  }
  ASSERT_EQ(rolls.size(), 3u);
  EXPECT_EQ(rolls[0], LocalTime::FromCivil({2026, 12, 7, 23, 59, 1}));
  EXPECT_EQ(rolls[1], LocalTime::FromCivil({2026, 12, 8, 23, 58, 2}));
  EXPECT_EQ(rolls[2], LocalTime::FromCivil({2026, 12, 9, 23, 57, 3}));
}

// The kiosk arms one timer for NextActionTime and checks when it fires; the clock may be
// set back or forward meanwhile. The moment predicted must be the moment the check rolls
// over, second by second, also across a clock set back an hour before or after it.
TEST_F(ActivityLogTest, NextActionTimeIsWhenTheCheckRollsOver) {
  settings_.log_hour = 3;
  clock_.Set({2026, 12, 7, 2, 50, 0});
  auto log = MakeLog();
  log->Open();
  std::vector<LocalTime> rolls;
  // One check per second up to `until`; every second's prediction is compared with the check.
  auto walk = [&](const CivilTime& until) {
    for (; clock_.Now() <= LocalTime::FromCivil(until); clock_.Advance(1)) {
      const LocalTime predicted = log->NextActionTime();
      ASSERT_GE(predicted, clock_.Now());
      const LocalTime before = log->last_action_time();
      log->CheckLogActionTime();
      const bool rolled = log->last_action_time() != before;
      ASSERT_EQ(rolled, predicted == clock_.Now()) << FormatLogStamp(clock_.Now());
      if (rolled) rolls.push_back(clock_.Now());
    }
  };
  EXPECT_EQ(log->NextActionTime(), LocalTime::FromCivil({2026, 12, 7, 3, 0, 1}));
  // Set back an hour before the action time: a timer armed at 02:50 on a steady clock
  // fires at 02:00:01 by the new time, finds nothing due, and the moment is unchanged.
  clock_.Set({2026, 12, 7, 1, 50, 0});
  EXPECT_EQ(log->NextActionTime(), LocalTime::FromCivil({2026, 12, 7, 3, 0, 1}));
  walk({2026, 12, 7, 3, 10, 0});
  EXPECT_EQ(rolls, (std::vector<LocalTime>{LocalTime::FromCivil({2026, 12, 7, 3, 0, 1})}));
  // Set back an hour after it: the same day's action time does not come twice.
  clock_.Set({2026, 12, 7, 2, 10, 0});
  EXPECT_EQ(log->NextActionTime(), LocalTime::FromCivil({2026, 12, 8, 3, 0, 1}));
  walk({2026, 12, 7, 4, 0, 0});
  EXPECT_EQ(rolls.size(), 1u);
  // Set forward past the next one (a machine resumed the next morning): due at once.
  clock_.Set({2026, 12, 8, 9, 0, 0});
  EXPECT_EQ(log->NextActionTime(), clock_.Now());
  walk({2026, 12, 8, 9, 0, 5});
  EXPECT_EQ(rolls.back(), LocalTime::FromCivil({2026, 12, 8, 9, 0, 0}));
}

TEST_F(ActivityLogTest, ReopeningAPastLogRollsItOverAtStartUp) {
  settings_.log_hour = 14;
  settings_.save_log = true;
  Spit(Current(), "Monday, 07-12-2026, 13:00:00 --- Earlier line\n");
  SetFileTime(Current(), {2026, 12, 7, 13, 0, 0});
  clock_.Set({2026, 12, 7, 16, 0, 0});
  auto log = MakeLog();
  log->Open();
  const std::string kept = paths_.log_dir + "TW261207160000.txt";
  EXPECT_EQ(LogTexts(kept), (Texts{"Earlier line", "Log re-opened", "Current log past action time", "Log will be saved",
                                   "Log closed"}));
  EXPECT_EQ(LogTexts(Current()), (Texts{"Log opened"}));
}

TEST_F(ActivityLogTest, ReopeningARecentLogContinuesIt) {
  settings_.log_hour = 14;
  Spit(Current(), "Monday, 07-12-2026, 15:00:00 --- Earlier line\n");
  SetFileTime(Current(), {2026, 12, 7, 15, 0, 0});
  clock_.Set({2026, 12, 7, 16, 0, 0});
  auto log = MakeLog();
  log->Open();
  log->WriteLog("Next");
  EXPECT_EQ(LogTexts(Current()), (Texts{"Earlier line", "Log re-opened", "Next"}));
}

TEST_F(ActivityLogTest, RollOverWithAndWithoutSaveLog) {
  for (const bool save : {false, true}) {
    settings_.save_log = save;
    std::filesystem::remove_all(paths_.log_dir);
    std::filesystem::create_directories(paths_.log_dir);
    auto log = MakeLog();
    log->Open();
    log->WriteLog("Visitor line");
    log->RollOverLog();
    EXPECT_EQ(LogTexts(Current()), (Texts{"Log opened"}));
    if (save) {
      EXPECT_EQ(Names(paths_.log_dir), (Texts{"TW261207100000.txt", "TWCurrentLog.txt"}));
      EXPECT_EQ(LogTexts(paths_.log_dir + "TW261207100000.txt"),
                (Texts{"Log opened", "Visitor line", "Log will be saved", "Log closed"}));
    } else {
      EXPECT_EQ(Names(paths_.log_dir), (Texts{"TWCurrentLog.txt"}));
    }
    log->Close();
  }
}

TEST_F(ActivityLogTest, TwoRollOversInOneSecondKeepBothLogs) {
  settings_.save_log = true;
  auto log = MakeLog();
  log->Open();
  log->WriteLog("first");
  log->RollOverLog();
  log->WriteLog("second");
  log->RollOverLog();
  EXPECT_EQ(Names(paths_.log_dir), (Texts{"TW261207100000-1.txt", "TW261207100000.txt", "TWCurrentLog.txt"}));
  EXPECT_EQ(LogTexts(paths_.log_dir + "TW261207100000-1.txt")[1], "second");
}

TEST_F(ActivityLogTest, RollOverMailsTheLogAndFeedback) {
  settings_.email_log = true;
  settings_.email_feedback = true;
  Spit(paths_.feedback_dir + "FB261207090000.txt", "Great kiosk");
  Spit(paths_.feedback_dir + "FB261207091500.txt", "Printer empty");
  Spit(paths_.feedback_dir + "notes.doc", "not feedback");
  auto log = MakeLog();
  log->Open();
  log->RollOverLog();
  EXPECT_EQ(Names(paths_.sent_dir), (Texts{"FB261207090000.txt", "FB261207091500.txt"}));
  EXPECT_EQ(Names(paths_.feedback_dir), (Texts{"notes.doc"}));
  ASSERT_EQ(mail_.attachments.size(), 2u);
  EXPECT_EQ(mail_.attachments[0].file_name, "FB261207090000.txt");
  EXPECT_EQ(mail_.attachments[1].contents, "Printer empty");
  EXPECT_TRUE(mail_.pending);
  EXPECT_EQ(mail_.subject, "Tarnwick Log from Monday, 07-12-2026, 10:00:00");
  EXPECT_EQ(LogTexts(Current()), (Texts{"Log opened"}));
  // The body is the closed log, ending with the recipients and "Log closed".
  std::istringstream body(mail_.body);
  std::vector<std::string> lines;
  for (std::string line; std::getline(body, line);) lines.push_back(line.substr(line.find(" --- ") + 5));
  EXPECT_EQ(lines, (Texts{"Log opened", "Log will be sent to - Operator at op@example.org",
                          "Log will be sent to - Boss at boss@example.org", "Log closed"}));
}

TEST_F(ActivityLogTest, FeedbackIsMovedButNotAttachedWithoutEmailFeedback) {
  settings_.email_log = true;
  Spit(paths_.feedback_dir + "FB1.txt", "x");
  auto log = MakeLog();
  log->Open();
  log->RollOverLog();
  EXPECT_EQ(Names(paths_.sent_dir), (Texts{"FB1.txt"}));
  EXPECT_TRUE(mail_.attachments.empty());
  EXPECT_TRUE(mail_.pending);
}

TEST_F(ActivityLogTest, FeedbackAlreadyInSentIsKeptUnderAFreeName) {
  Spit(paths_.feedback_dir + "FB1.txt", "new");
  Spit(paths_.sent_dir + "FB1.txt", "old");
  auto log = MakeLog();
  log->Open();
  log->RollOverLog();  // must finish
  EXPECT_EQ(Names(paths_.sent_dir), (Texts{"FB1-1.txt", "FB1.txt"}));
  std::ifstream old(paths_.sent_dir + "FB1.txt");
  std::string text;
  old >> text;
  EXPECT_EQ(text, "old");
}

TEST_F(ActivityLogTest, UnwritableLogKeepsLinesAndReportsOnce) {
  std::filesystem::remove_all(paths_.log_dir);
  Spit(dir_.File("log"), "a file where the folder should be");
  auto log = MakeLog();
  log->Open();
  log->WriteLog("one");
  log->WriteLog("two");
  EXPECT_FALSE(log->healthy());
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("Unable to write to " + Current()), std::string::npos);
  // The folder comes back: the kept lines are written first, in order.
  std::filesystem::remove(dir_.File("log"));
  std::filesystem::create_directories(paths_.log_dir);
  log->WriteLog("three");
  EXPECT_TRUE(log->healthy());
  EXPECT_EQ(LogTexts(Current()), (Texts{"Log opened", "one", "two", "three"}));
  EXPECT_EQ(errors_.size(), 1u);
}

TEST_F(ActivityLogTest, LogFileMovedDeletedOrReplacedIsOpenedAgain) {
  const std::string reopened(ActivityLog::kReopenedText);
  struct Case {
    const char* what;
    std::function<void(const std::string&, const std::string&)> change;  // (current, elsewhere)
    Texts current;
    Texts elsewhere;
  };
  const Case cases[] = {
      {"moved",
       [](const std::string& cur, const std::string& other) { std::filesystem::rename(cur, other); },
       {reopened, "after", "later"},
       {"Log opened", "before"}},
      {"deleted",
       [](const std::string& cur, const std::string&) { std::filesystem::remove(cur); },
       {reopened, "after", "later"},
       {}},
      {"replaced",
       [](const std::string& cur, const std::string& other) {
         Spit(other, "Monday, 07-12-2026, 09:00:00 --- Other file\n");
         std::filesystem::rename(other, cur);
       },
       {"Other file", reopened, "after", "later"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(paths_.log_dir);
    std::filesystem::create_directories(paths_.log_dir);
    const std::string elsewhere = paths_.log_dir + "elsewhere.txt";
    auto log = MakeLog();
    log->Open();
    log->WriteLog("before");
    c.change(Current(), elsewhere);
    log->WriteLog("after");
    log->WriteLog("later");  // noted once only
    EXPECT_EQ(LogTexts(Current()), c.current);
    if (!c.elsewhere.empty()) {
      EXPECT_EQ(LogTexts(elsewhere), c.elsewhere);
    }
    EXPECT_TRUE(errors_.empty());
    log->Close();
  }
}

TEST_F(ActivityLogTest, EachLineIsInTheFileWhenWriteLogReturns) {
  auto log = MakeLog();
  log->Open();
  for (int i = 0; i < 5; ++i) {
    log->WriteLog("line " + std::to_string(i));
    EXPECT_EQ(LogTexts(Current()).back(), "line " + std::to_string(i));
  }
}

}  // namespace
}  // namespace tw
