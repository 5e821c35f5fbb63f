// Mail to and from real servers: the SMTP client sends, the POP3 client reads back, the
// message model decodes; and the kiosk's daily log mail end to end. The servers are
// started by real_servers.py, which passes their addresses in the environment.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "fakes/manual_clock.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/smtp_log_mail_sender.h"
#include "mail/mail_message.h"
#include "mail/pop3_mailbox.h"
#include "mail/smtp_client.h"
#include "scripted_server.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

class NoHooks : public KioskHooks {
 public:
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void SetTaskBarHidden(bool) override {}
  void SetSystemKeyLock(bool) override {}
  std::vector<std::string> errors;
};

class RealServers : public ::testing::Test {
 protected:
  void SetUp() override {
    smtp_server_ = Env("TW_SMTP_SERVER");
    if (smtp_server_.empty()) GTEST_SKIP() << "run through real_servers.py, which starts the servers";
    pop_.SetServer(Env("TW_POP3_SERVER"));
    pop_.SetUserName(Env("TW_POP3_USER"));
    pop_.SetPassword(Env("TW_POP3_PASSWORD"));
    pop_.SetTimeOut(10);
  }

  // Waits until the mailbox holds a message with this subject; its index, or -1.
  int WaitForSubject(const std::string& subject) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
      pop_.UpdateInfo();
      for (std::size_t i = 0; i < pop_.Info().Count(); ++i) {
        if (pop_.Info().Item(i).headers.GetHeader("Subject") == subject) return static_cast<int>(i);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return -1;
  }

  int CountSubject(const std::string& subject) {
    pop_.UpdateInfo();
    int count = 0;
    for (std::size_t i = 0; i < pop_.Info().Count(); ++i) {
      if (pop_.Info().Item(i).headers.GetHeader("Subject") == subject) ++count;
    }
    return count;
  }

  // Retrieves message index and decodes it into message.
  void Fetch(int index, MailMessage& message) {
    std::string raw;
    pop_.OnUserMessageSave = [&](int, const std::string& contents) { raw = contents; };
    pop_.Connect();
    pop_.RetrieveMessage(index);
    pop_.Disconnect();
    pop_.OnUserMessageSave = nullptr;
    std::istringstream in(raw);
    message.LoadFromStream(in);
  }

  void Delete(int index) {
    pop_.Connect();
    pop_.DeleteMessage(index);
    pop_.Disconnect();
  }

  std::string smtp_server_;
  Pop3Mailbox pop_;
};

TEST_F(RealServers, MessageRoundTripAndDelete) {
  const std::string subject = "Round trip " + std::to_string(::getpid());
  std::string binary;
  for (int i = 0; i < 3000; ++i) binary.push_back(static_cast<char>((i * 7 + i / 256) % 256));
  binary += "\r\n.\r\n\0\0.";

  MailMessage sent;
  sent.Sender().SetAddress("kiosk@tarnwick.test");
  sent.Sender().SetName("Tarnwick Kiosk");
  sent.Recipients().Add("visitor@tarnwick.test", "Visitor");
  sent.SetSubject(subject);
  sent.Body() = {"First line of the body.", ".", "..two dots", std::string(1500, 'L'), "", "last line"};
  sent.Attachments().AddData("picture.bin", binary);
  SmtpClient smtp;
  smtp.SetServer(smtp_server_);
  smtp.SetTimeOut(10);
  smtp.SetMailMessage(&sent);
  smtp.Send();
  EXPECT_EQ(smtp.LastReply().substr(0, 3), "221");

  const int index = WaitForSubject(subject);
  ASSERT_GE(index, 0) << "the message never reached the mailbox";
  MailMessage received;
  Fetch(index, received);
  EXPECT_EQ(received.Subject(), subject);
  EXPECT_EQ(received.Sender().Address(), "kiosk@tarnwick.test");
  EXPECT_EQ(received.Body(), sent.Body());
  ASSERT_EQ(received.Attachments().Count(), 1u);
  EXPECT_EQ(received.Attachments().Item(0).BaseName(), "picture.bin");
  EXPECT_TRUE(received.Attachments().Item(0).Contents() == binary) << "attachment changed on the way";

  Delete(index);
  EXPECT_EQ(CountSubject(subject), 0);
}

TEST_F(RealServers, WrongPasswordIsTheServersNegativeReply) {
  pop_.SetPassword("wrong");
  try {
    pop_.UpdateInfo();
    ADD_FAILURE() << "logged in with a wrong password";
  } catch (const EServerError& e) {
    EXPECT_EQ(std::string(e.what()).substr(0, 4), "-ERR");
  }
  EXPECT_FALSE(pop_.Connected());
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(RealServers, DailyLogMailWithFeedbackArrivesOnceTheServerIsBack) {
  test::TempDir dir;
  std::ofstream(dir.File("Tarnwick.ini"), std::ios::binary)
      << "[PREFERENCES]\nSaveLog=1\nEMailLog=1\nEMailFeedback=1\nLogHour=3\nLogMinute=0\n"
      << "EMailServer=" << smtp_server_ << "\nEMailFromAddress=kiosk@tarnwick.test\nEMailFromName=Tarnwick Kiosk\n"
      << "[EMAILADDRESS]\nAddress0=operator@tarnwick.test\nAddress1=visitor@tarnwick.test\n"
      << "[EMAILNAME]\nName0=Operator\nName1=Visitor\n";
  test::ManualClock clock(LocalTime::FromCivil({2026, 12, 7, 2, 58, 0}));
  NoHooks hooks;
  KioskController controller(dir.path(), clock, hooks);
  controller.Create(800);
  SmtpLogMailSender sender;
  sender.MailSMTP().SetTimeOut(10);
  controller.SetLogMailSender(&sender);
  controller.state().browser_ready = true;
  const std::string feedback_a = "Feedback one\r\nwith two lines\r\n";
  // Text attachments travel with CR LF line ends (the canonical form of text in mail).
  const std::string feedback_b = "Feedback two: nice kiosk\r\n";
  std::ofstream(dir.File("feedback/FB261207020101.txt"), std::ios::binary) << feedback_a;
  std::ofstream(dir.File("feedback/FB261207025959.txt"), std::ios::binary) << feedback_b;
  controller.WriteLog("A visitor was here");

  // The server is down when the action time comes.
  controller.log_mail().server = "127.0.0.1:" + std::to_string(test::ScriptedServer::UnusedPort());
  clock.Set({2026, 12, 7, 3, 0, 5});
  controller.RunPass();
  ASSERT_TRUE(controller.log_mail().pending);
  const std::string subject = controller.log_mail().subject;
  EXPECT_EQ(subject, "Tarnwick Log from Monday, 07-12-2026, 03:00:05");
  const std::string closed_log = controller.log_mail().body;
  EXPECT_NE(closed_log.find("A visitor was here"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir.File("feedback/sent/FB261207020101.txt")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("feedback/sent/FB261207025959.txt")));
  EXPECT_TRUE(hooks.errors.empty());

  // Back again: the next attempt waits for its delay, then the mail goes out once.
  controller.log_mail().server = smtp_server_;
  clock.Advance(60);
  controller.RunPass();
  EXPECT_TRUE(controller.log_mail().pending);
  clock.Advance(LogMailDelivery::kFirstRetryDelay);
  controller.RunPass();
  EXPECT_FALSE(controller.log_mail().pending);
  EXPECT_TRUE(controller.log_mail().attachments.empty());
  controller.RunPass();
  controller.FormClose();
  const std::string log_now = ReadFile(dir.File("log/TWCurrentLog.txt"));
  EXPECT_NE(log_now.find("Log Mail Not Sent - [10061] Connection refused - next attempt in 2 minutes"),
            std::string::npos)
      << log_now;

  const int index = WaitForSubject(subject);
  ASSERT_GE(index, 0) << "the log mail never reached the mailbox";
  MailMessage received;
  Fetch(index, received);
  EXPECT_EQ(received.Sender().Address(), "kiosk@tarnwick.test");
  EXPECT_EQ(received.Sender().Name(), "Tarnwick Kiosk");
  ASSERT_EQ(received.Recipients().Count(), 2u);
  EXPECT_EQ(received.Recipients().Item(0).Address(), "operator@tarnwick.test");
  std::string body;
  for (const std::string& line : received.Body()) body += line + "\n";
  EXPECT_EQ(body, closed_log);
  ASSERT_EQ(received.Attachments().Count(), 2u);
  EXPECT_EQ(received.Attachments().Item(0).BaseName(), "FB261207020101.txt");
  EXPECT_EQ(received.Attachments().Item(0).Contents(), feedback_a);
  EXPECT_EQ(received.Attachments().Item(1).BaseName(), "FB261207025959.txt");
  EXPECT_EQ(received.Attachments().Item(1).Contents(), feedback_b);

  // One mail per recipient reaches this shared mailbox, no more.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (CountSubject(subject) < 2 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(CountSubject(subject), 2);
  for (int n = 0; n < 2; ++n) Delete(WaitForSubject(subject));
  EXPECT_EQ(CountSubject(subject), 0);
}

}  // namespace
}  // namespace tw
