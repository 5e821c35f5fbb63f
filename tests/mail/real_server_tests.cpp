// Mail to and from real servers: the SMTP client sends, the POP3 client reads back, the
// message model decodes; TLS in every form the clients know, with the certificate
// problems they must refuse; and the kiosk's daily log mail end to end. The servers are
// started by real_servers.py, which passes their addresses in the environment.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "fakes/manual_clock.h"
#include "kiosk/email/rules/email_window_rules.h"
#include "kiosk/core/kiosk_controller.h"
#include "kiosk/core/log/smtp_log_mail_sender.h"
#include "client_test_util.h"
#include "mail/base64.h"
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
    // The mailbox is read over STLS, as the server requires TLS.
    MailConnectionSettings& settings = pop_.Settings();
    settings.server = Env("TW_POP3_SERVER");
    settings.security = MailSecurity::kStartTls;
    settings.ca_file = Env("TW_CA_FILE");
    settings.user_name = Env("TW_POP3_USER");
    settings.password = Env("TW_POP3_PASSWORD");
    settings.time_out = 10;
  }

  // The submission server with TLS and the account, as the operator would set it.
  static MailServerSettings Submission(const char* server, MailSecurity security) {
    MailServerSettings settings;
    settings.address = Env(server);
    settings.security = security;
    settings.user_name = Env("TW_POP3_USER");
    settings.password = Env("TW_POP3_PASSWORD");
    settings.ca_file = Env("TW_CA_FILE");
    return settings;
  }

  static void Fill(MailMessage& message, const std::string& subject) {
    message.Sender().SetAddress("kiosk@tarnwick.test");
    message.Recipients().Add("visitor@tarnwick.test", "Visitor");
    message.SetSubject(subject);
    message.Body() = {"A line.", ".", "Last line."};
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
  smtp.Settings().server = smtp_server_;
  smtp.Settings().time_out = 10;
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

TEST_F(RealServers, TlsFromTheFirstByteBothWays) {
  const std::string subject = "Implicit TLS " + std::to_string(::getpid());
  MailMessage sent;
  Fill(sent, subject);
  SmtpClient smtp;
  smtp.UseServer(Submission("TW_SUBMISSIONS_SERVER", MailSecurity::kTls));
  smtp.Settings().time_out = 10;
  smtp.SetMailMessage(&sent);
  bool over_tls = false;
  smtp.OnMailSent = [&] { over_tls = smtp.TlsActive(); };
  smtp.Send();
  EXPECT_TRUE(over_tls);

  pop_.Settings().server = Env("TW_POP3S_SERVER");
  pop_.Settings().security = MailSecurity::kTls;
  const int index = WaitForSubject(subject);
  ASSERT_GE(index, 0) << "the message never reached the mailbox";
  MailMessage received;
  Fetch(index, received);
  // The empty line sent before the final "." stays in a one-part message's body.
  std::vector<std::string> body = received.Body();
  if (!body.empty() && body.back().empty()) body.pop_back();
  EXPECT_EQ(body, sent.Body());
  Delete(index);
}

TEST_F(RealServers, WrongPasswordIsTheServersNegativeReply) {
  MailMessage message;
  Fill(message, "never sent");
  SmtpClient smtp;
  MailServerSettings wrong = Submission("TW_SUBMISSION_SERVER", MailSecurity::kStartTls);
  wrong.password = "wrong-password";
  smtp.UseServer(wrong);
  smtp.Settings().time_out = 10;
  smtp.SetMailMessage(&message);
  const std::string smtp_error = test::MessageOf<EServerError>([&] { smtp.Send(); });
  EXPECT_TRUE(smtp_error.starts_with("535 ")) << smtp_error;
  EXPECT_FALSE(smtp.Connected());

  pop_.Settings().password = "wrong-password";
  const std::string pop_error = test::MessageOf<EServerError>([&] { pop_.UpdateInfo(); });
  EXPECT_TRUE(pop_error.starts_with("-ERR ")) << pop_error;
  EXPECT_FALSE(pop_.Connected());
}

TEST_F(RealServers, CertificateProblemsEndTheConnectionBeforeAnythingIsSent) {
  struct Case {
    const char* name;
    const char* server;
    bool pop3;
    bool with_ca_file;
    std::string error;
  };
  const std::string not_accepted = "TLS Error - the certificate of ";
  const Case cases[] = {
      {"SMTP, unknown CA", "TW_SUBMISSIONS_SERVER", false, false,
       not_accepted + "127.0.0.1 is not accepted: unable to get local issuer certificate"},
      {"POP3, unknown CA", "TW_POP3S_SERVER", true, false,
       not_accepted + "127.0.0.1 is not accepted: unable to get local issuer certificate"},
      {"SMTP, certificate for another host", "TW_OTHER_HOST_SERVER", false, true,
       not_accepted + "127.0.0.3 is not accepted: IP address mismatch"},
      {"SMTP, expired certificate", "TW_EXPIRED_SERVER", false, true,
       not_accepted + "127.0.0.2 is not accepted: certificate has expired"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MailServerSettings settings = Submission(c.server, MailSecurity::kTls);
    if (!c.with_ca_file) settings.ca_file.clear();
    if (c.pop3) {
      Pop3Mailbox pop;
      pop.UseServer(settings);
      pop.Settings().time_out = 10;
      EXPECT_EQ(test::MessageOf<ETlsError>([&] { pop.UpdateInfo(); }), c.error);
      EXPECT_FALSE(pop.Connected());
      continue;
    }
    MailMessage message;
    Fill(message, "never sent");
    SmtpClient smtp;
    smtp.UseServer(settings);
    smtp.Settings().time_out = 10;
    smtp.SetMailMessage(&message);
    bool greeted = false;
    smtp.OnPrepare = [&] { greeted = true; };
    EXPECT_EQ(test::MessageOf<ETlsError>([&] { smtp.Send(); }), c.error);
    EXPECT_FALSE(greeted);
    EXPECT_FALSE(smtp.Connected());
  }
}

TEST_F(RealServers, AServerWithoutStartTlsGetsNoPasswordAndNoMail) {
  const std::pair<MailSecurity, std::string> cases[] = {
      {MailSecurity::kStartTls, "TLS Error - 127.0.0.1 does not offer STARTTLS"},
      {MailSecurity::kStartTlsIfOffered,
       "TLS Error - 127.0.0.1 does not offer STARTTLS; the password is not sent without TLS"},
  };
  for (const auto& [security, error] : cases) {
    SCOPED_TRACE(error);
    MailMessage message;
    Fill(message, "never sent");
    SmtpClient smtp;
    MailServerSettings settings = Submission("TW_SMTP_SERVER", security);
    smtp.UseServer(settings);
    smtp.Settings().time_out = 10;
    smtp.SetMailMessage(&message);
    bool prepared = false;
    smtp.OnPrepare = [&] { prepared = true; };
    EXPECT_EQ(test::MessageOf<ETlsError>([&] { smtp.Send(); }), error);
    EXPECT_FALSE(prepared);
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The log mail goes to a server that takes mail only over STARTTLS and with AUTH, as
// set in the kiosk's file; with Debug on, no password reaches the log.
TEST_F(RealServers, DailyLogMailOverStartTlsWithAuthArrivesOnceThePasswordIsRight) {
  test::TempDir dir;
  const std::string password = Env("TW_POP3_PASSWORD");
  std::ofstream(dir.File("Tarnwick.ini"), std::ios::binary)
      << "[PREFERENCES]\nDebug=1\nSaveLog=1\nEMailLog=1\nEMailFeedback=1\nLogHour=3\nLogMinute=0\n"
      << "EMailServer=" << Env("TW_SUBMISSION_SERVER") << "\nEMailSecurity=starttls\n"
      << "EMailUserName=" << Env("TW_POP3_USER") << "\nEMailPassword=" << password << "\n"
      << "EMailCAFile=" << Env("TW_CA_FILE") << "\n"
      << "EMailFromAddress=kiosk@tarnwick.test\nEMailFromName=Tarnwick Kiosk\n"
      << "[EMAILADDRESS]\nAddress0=operator@tarnwick.test\nAddress1=visitor@tarnwick.test\n"
      << "[EMAILNAME]\nName0=Operator\nName1=Visitor\n";
  test::ManualClock clock(LocalTime::FromCivil({2026, 12, 7, 2, 58, 0}));
  NoHooks hooks;
  KioskController controller(dir.path(), clock, hooks);
  controller.Create(800);
  SmtpLogMailSender sender;
  sender.MailSMTP().Settings().time_out = 10;
  controller.log_mail().SetSender(&sender);
  controller.browser_status().SetReady();
  const std::string feedback_a = "Feedback one\r\nwith two lines\r\n";
  // Text attachments travel with CR LF line ends (the canonical form of text in mail).
  const std::string feedback_b = "Feedback two: nice kiosk\r\n";
  std::ofstream(dir.File("feedback/FB261207020101.txt"), std::ios::binary) << feedback_a;
  std::ofstream(dir.File("feedback/FB261207025959.txt"), std::ios::binary) << feedback_b;
  controller.WriteLog("A visitor was here");

  // The password is wrong when the action time comes.
  controller.log_mail().mail().server.password = "wrong-password";
  clock.Set({2026, 12, 7, 3, 0, 5});
  controller.RunPass();
  ASSERT_TRUE(controller.log_mail().mail().pending);
  const std::string subject = controller.log_mail().mail().subject;
  EXPECT_EQ(subject, "Tarnwick Log from Monday, 07-12-2026, 03:00:05");
  const std::string closed_log = controller.log_mail().mail().body;
  EXPECT_NE(closed_log.find("A visitor was here"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir.File("feedback/sent/FB261207020101.txt")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("feedback/sent/FB261207025959.txt")));
  EXPECT_TRUE(hooks.errors.empty());

  // Right again: the next attempt waits for its delay, then the mail goes out once.
  controller.log_mail().mail().server.password = password;
  clock.Advance(60);
  controller.RunPass();
  EXPECT_TRUE(controller.log_mail().mail().pending);
  clock.Advance(LogMailDelivery::kFirstRetryDelay);
  controller.RunPass();
  EXPECT_FALSE(controller.log_mail().mail().pending);
  EXPECT_TRUE(controller.log_mail().mail().attachments.empty());
  controller.RunPass();
  controller.Shutdown();
  const std::string log_now = ReadFile(dir.File("log/TWCurrentLog.txt"));
  EXPECT_NE(log_now.find("Log Mail Not Sent - 535 "), std::string::npos) << log_now;
  EXPECT_NE(log_now.find(" - next attempt in 2 minutes"), std::string::npos) << log_now;
  for (const std::string& secret : {password, std::string("wrong-password"), Base64Encode(password),
                                    Base64Encode(std::string(1, '\0') + Env("TW_POP3_USER") + '\0' + password)}) {
    EXPECT_EQ(log_now.find(secret), std::string::npos) << secret;
  }

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

// The visitors' e-mail window's rules with the real servers: a visitor writes two
// messages (one to two recipients with cc Self) through the submission server, reads the
// mailbox over STLS, views and answers one and deletes the other.
class WindowHost : public EmailWindowHost {
 public:
  void WriteLog(std::string_view text) override { log.emplace_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  bool Ask(const std::string&) override { return true; }
  bool KeyboardShown() const override { return false; }
  void ToggleKeyboard() override {}
  void WindowShown(bool) override {}
  void BusyChanged(bool) override {}
  void PumpMessages() override {}
  std::vector<std::string> log, errors;
};

int Find(const EmailWindowView& view, const std::string& subject) {
  for (std::size_t i = 0; i < view.list.size(); ++i) {
    if (view.list[i].starts_with(subject + ",")) return static_cast<int>(i);
  }
  return -1;
}

TEST_F(RealServers, VisitorsEmailWindowWritesReadsAnswersAndDeletes) {
  EmailWindowConfig config;
  for (std::size_t n = 0; n < config.error_strings.size(); ++n) config.error_strings[n] = "E" + std::to_string(n);
  config.default_server = Env("TW_POP3_SERVER");
  WindowHost host;
  EmailWindowRules rules(host, config, Submission("TW_SUBMISSION_SERVER", MailSecurity::kStartTls), false);
  rules.SetTimeOut(10);
  const std::string tag = "window " + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  const std::string one = tag + " one";
  const std::string two = tag + " two";

  rules.Open(0, "");
  rules.NewMessage();
  rules.Edit(EmailField::kFrom, "first_last@tarnwick.test");
  rules.Edit(EmailField::kTo, "Ann <ann@tarnwick.test>; bob@tarnwick.test");
  rules.Edit(EmailField::kSubject, one);
  rules.SetMemo({"Hello,", ".", "see you"});
  rules.Send();
  ASSERT_EQ(host.errors, std::vector<std::string>{});
  rules.NewMessage();
  rules.Edit(EmailField::kFrom, "kiosk@tarnwick.test");
  rules.Edit(EmailField::kTo, "visitor@tarnwick.test");
  rules.Edit(EmailField::kSubject, two);
  rules.SetCcSelf(false);
  rules.SetMemo({"second"});
  rules.Send();
  ASSERT_EQ(host.errors, std::vector<std::string>{});

  rules.Edit(EmailField::kUser, Env("TW_POP3_USER"));
  rules.Edit(EmailField::kPassword, Env("TW_POP3_PASSWORD"));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  const EmailWindowView& view = rules.View();
  do {
    if (view.page == EmailPage::kList) rules.Cancel(EmailPage::kList);
    rules.GetMail();
    ASSERT_EQ(host.errors, std::vector<std::string>{});
    if (Find(view, one) >= 0 && Find(view, two) >= 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  } while (std::chrono::steady_clock::now() < deadline);
  ASSERT_GE(Find(view, one), 0);
  ASSERT_GE(Find(view, two), 0);
  // The sender's underscore is kept in the list.
  EXPECT_NE(view.list[static_cast<std::size_t>(Find(view, one))].find("first_last@tarnwick.test"), std::string::npos);

  rules.SelectMessage(Find(view, one));
  EXPECT_EQ(view.memo, (std::vector<std::string>{"Hello,", ".", "see you"}));
  rules.Reply();
  EXPECT_EQ(view.fields.to, "first_last@tarnwick.test");
  EXPECT_EQ(view.fields.subject, "re:" + one);
  rules.Cancel(EmailPage::kWrite);  // back to the list, the message shown again
  EXPECT_EQ(view.page, EmailPage::kList);
  EXPECT_EQ(view.memo, (std::vector<std::string>{"Hello,", ".", "see you"}));

  rules.SelectMessage(Find(view, two));
  const std::size_t listed = view.list.size();
  rules.Delete();
  EXPECT_EQ(host.errors, std::vector<std::string>{});
  EXPECT_EQ(Find(view, two), -1);
  EXPECT_GE(Find(view, one), 0);
  EXPECT_EQ(view.list.size(), listed - 1);
}

}  // namespace
}  // namespace tw
