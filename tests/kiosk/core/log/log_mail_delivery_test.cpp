#include "kiosk/core/log/log_mail_delivery.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/manual_clock.h"

namespace tw {
namespace {

using Texts = std::vector<std::string>;

class ScriptedSender : public LogMailSender {
 public:
  void Send(const LogMail& mail) override {
    ++attempts;
    if (during_send) during_send();
    if (fail) throw std::runtime_error("[10061] Connection refused");
    sent.push_back(mail);
  }
  bool fail = false;
  int attempts = 0;
  std::function<void()> during_send;
  std::vector<LogMail> sent;
};

LogMail Composed(std::string subject, std::vector<FeedbackAttachment> attachments = {}) {
  LogMail mail;
  mail.subject = std::move(subject);
  mail.body = "Log closed\n";
  mail.attachments = std::move(attachments);
  mail.pending = true;
  return mail;
}

struct Fixture {
  void Run() {
    delivery.Run(mail, sender, clock.Now(), [this](std::string_view text) { log.emplace_back(text); });
  }
  test::ManualClock clock;
  LogMailDelivery delivery;
  ScriptedSender sender;
  LogMail mail = Composed("Tarnwick Log from Monday, 07-12-2026, 03:00:00", {{"FB1.txt", "one"}});
  Texts log;
};

TEST(LogMailDelivery, FailedSendsAreRetriedAfterGrowingDelays) {
  Fixture f;
  f.sender.fail = true;
  // Minutes after each failure until the next attempt: doubling, then capped.
  const int expected_delays[] = {2, 4, 8, 16, 30, 30};
  for (int delay : expected_delays) {
    const int attempts = f.sender.attempts;
    f.Run();
    ASSERT_EQ(f.sender.attempts, attempts + 1);
    // Passes before the delay has passed try nothing.
    f.clock.Advance(delay * 60 - 1);
    f.Run();
    f.Run();
    EXPECT_EQ(f.sender.attempts, attempts + 1) << delay;
    f.clock.Advance(1);
  }
  EXPECT_EQ(f.log.size(), 6u);  // one line per failed attempt
  EXPECT_EQ(f.log.front(), "Log Mail Not Sent - [10061] Connection refused - next attempt in 2 minutes");
  EXPECT_EQ(f.log.back(), "Log Mail Not Sent - [10061] Connection refused - next attempt in 30 minutes");
  EXPECT_TRUE(f.mail.pending);
  EXPECT_EQ(f.mail.attachments.size(), 1u);

  f.sender.fail = false;
  f.Run();
  ASSERT_EQ(f.sender.sent.size(), 1u);
  EXPECT_EQ(f.sender.sent[0].attachments.size(), 1u);
  EXPECT_FALSE(f.mail.pending);
  EXPECT_TRUE(f.mail.body.empty());
  EXPECT_TRUE(f.mail.attachments.empty());
  EXPECT_EQ(f.delivery.failures(), 0);

  // A later failure starts again with the shortest delay.
  f.mail = Composed("Tarnwick Log from Tuesday, 08-12-2026, 03:00:00");
  f.sender.fail = true;
  f.Run();
  EXPECT_EQ(f.log.back(), "Log Mail Not Sent - [10061] Connection refused - next attempt in 2 minutes");
}

TEST(LogMailDelivery, ClockSetBackDoesNotHoldTheMail) {
  Fixture f;
  f.sender.fail = true;
  f.Run();
  f.clock.Advance(-3600);
  f.Run();
  EXPECT_EQ(f.sender.attempts, 2);
}

TEST(LogMailDelivery, NothingPendingSendsNothing) {
  Fixture f;
  f.mail.pending = false;
  f.Run();
  EXPECT_EQ(f.sender.attempts, 0);
}

TEST(LogMailDelivery, PassesRunWhileSendingDoNotSendAgain) {
  Fixture f;
  f.sender.during_send = [&] { f.Run(); };
  f.Run();
  EXPECT_EQ(f.sender.attempts, 1);
  EXPECT_FALSE(f.mail.pending);
}

TEST(LogMailDelivery, RollOverDuringTheSendKeepsTheNewMail) {
  Fixture f;
  f.sender.during_send = [&] {
    // The next roll-over replaces body and subject and adds its feedback.
    f.mail.subject = "Tarnwick Log from Tuesday, 08-12-2026, 03:00:00";
    f.mail.body = "second log\n";
    f.mail.attachments.push_back({"FB2.txt", "two"});
    f.sender.during_send = nullptr;
  };
  f.Run();
  ASSERT_EQ(f.sender.sent.size(), 1u);
  EXPECT_TRUE(f.mail.pending);
  EXPECT_EQ(f.mail.body, "second log\n");
  ASSERT_EQ(f.mail.attachments.size(), 1u);
  EXPECT_EQ(f.mail.attachments[0].file_name, "FB2.txt");
  f.Run();  // no delay after a success
  ASSERT_EQ(f.sender.sent.size(), 2u);
  EXPECT_FALSE(f.mail.pending);
}

}  // namespace
}  // namespace tw
