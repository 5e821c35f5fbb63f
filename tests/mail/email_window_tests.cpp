// The visitors' e-mail window's rules against scripted POP3 and SMTP servers: each
// transfer of the window is one connection, so the test host points the Server field at
// the next scripted server whenever a transfer begins.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include "kiosk/email/rules/email_text.h"
#include "kiosk/email/rules/email_window_rules.h"
#include "scripted_server.h"

namespace tw {
namespace {

using test::ScriptedServer;
using Steps = std::vector<ScriptedServer::Step>;

ScriptedServer::Step Say(std::string line) { return ScriptedServer::Send(line + "\r\n"); }
ScriptedServer::Step Read() { return ScriptedServer::ReadLine(); }
Steps Then(Steps a, const Steps& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Steps LogIn(int count) {
  return {Say("+OK POP3 ready"),
          Read(),
          Say("+OK"),
          Read(),
          Say("+OK logged in"),
          Read(),
          Say("+OK " + std::to_string(count) + " 900")};
}
Steps Quit() { return {Read(), Say("+OK bye")}; }
const char kLogInSent[] = "USER visitor\r\nPASS secret\r\nSTAT\r\n";

// UIDL n, LIST n and TOP n answered for a message with the given id and subject.
Steps Info(int number, const std::string& uid, const std::string& subject) {
  const std::string n = std::to_string(number);
  return {Read(),
          Say("+OK " + n + " " + uid),
          Read(),
          Say("+OK " + n + " 300"),
          Read(),
          Say("+OK"),
          ScriptedServer::Send("Subject: " + subject +
                               "\r\nFrom: Ann <ann_lee@example.org>\r\n"
                               "To: visitor@example.org\r\nDate: Mon, 7 Dec 2026 10:00:00 +0000\r\n"
                               "\r\n.\r\n")};
}
Steps Uidl(int number, const std::string& uid) { return {Read(), Say("+OK " + std::to_string(number) + " " + uid)}; }
Steps Retr(int number, const std::string& body) {
  const std::string n = std::to_string(number);
  const std::string text = "Subject: s\r\n\r\n" + body + "\r\n.\r\n";
  return {Read(), Say("+OK " + n + " " + std::to_string(text.size() - 3)), Read(), Say("+OK"),
          ScriptedServer::Send(text)};
}

// The mailbox of three messages "a", "b", "c" listed with unique ids.
Steps ListThree() {
  return Then(
      Then(Then(Then(LogIn(3), Info(1, "uid-a", "first")), Info(2, "uid-b", "second")), Info(3, "uid-c", "third")),
      Quit());
}

class Host : public EmailWindowHost {
 public:
  void WriteLog(std::string_view text) override { log.emplace_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  bool Ask(const std::string& question) override {
    questions.push_back(question);
    return answer;
  }
  bool KeyboardShown() const override { return keyboard; }
  void ToggleKeyboard() override { keyboard = !keyboard; }
  void WindowShown(bool shown) override { this->shown = shown; }
  void BusyChanged(bool busy) override {
    if (busy && !servers.empty()) {
      rules->Edit(EmailField::kServer, servers.front()->address());
      servers.pop_front();
    }
  }
  void PumpMessages() override {
    if (on_pump) on_pump();
  }

  EmailWindowRules* rules = nullptr;
  std::deque<ScriptedServer*> servers;
  std::vector<std::string> log, errors, questions;
  bool answer = true;
  bool keyboard = false;
  bool shown = false;
  std::function<void()> on_pump;
};

EmailWindowConfig Config() {
  EmailWindowConfig c;
  for (std::size_t n = 0; n < c.error_strings.size(); ++n) c.error_strings[n] = "E" + std::to_string(n);
  c.list_changed = "Changed";
  c.default_server = "pop.example.org";
  return c;
}

MailServerSettings PlainServer(const std::string& smtp = "") {
  MailServerSettings s;
  s.address = smtp;
  s.security = MailSecurity::kNone;
  s.allow_plain_text_auth = true;
  return s;
}

struct Window {
  explicit Window(bool debug = false, const std::string& smtp = "") : rules(host, Config(), PlainServer(smtp), debug) {
    host.rules = &rules;
    rules.SetTimeOut(3);
  }
  void LogInAndList(ScriptedServer& server) {
    rules.Open(0, "");
    rules.Edit(EmailField::kUser, "visitor");
    rules.Edit(EmailField::kPassword, "secret");
    host.servers.push_back(&server);
    rules.GetMail();
  }
  Host host;
  EmailWindowRules rules;
};

TEST(EmailWindow, GetMailListsWithUniqueIdsAndEnablesReplyAndDeleteOnlyWithASelection) {
  ScriptedServer list(ListThree());
  Window w;
  w.LogInAndList(list);
  EXPECT_EQ(list.Transcript(), std::string(kLogInSent) +
                                   "UIDL 1\r\nLIST 1\r\nTOP 1 1\r\nUIDL 2\r\nLIST 2\r\nTOP 2 1\r\n"
                                   "UIDL 3\r\nLIST 3\r\nTOP 3 1\r\nQUIT\r\n");
  const EmailWindowView& v = w.rules.View();
  EXPECT_TRUE(w.host.errors.empty());
  EXPECT_EQ(v.page, EmailPage::kList);
  EXPECT_EQ(v.memo_kind, EmailMemo::kReadingHelp);
  ASSERT_EQ(v.list.size(), 3u);
  // The underscore of a plain address stays.
  EXPECT_EQ(v.list[1], "second, Ann <ann_lee@example.org>, Mon, 7 Dec 2026 10:00:00 +0000");
  EmailButtons b = w.rules.Buttons();
  EXPECT_FALSE(b.reply || b.del || b.previous);
  EXPECT_TRUE(b.get && b.list && b.next);
  // Neither runs without a selection: no question, no connection.
  w.rules.Delete();
  w.rules.Reply();
  EXPECT_TRUE(w.host.questions.empty());
  EXPECT_EQ(v.page, EmailPage::kList);

  ScriptedServer view(Then(Then(Then(LogIn(3), Uidl(2, "uid-b")), Retr(2, "Hello <b>there</b>")), Quit()));
  w.host.servers.push_back(&view);
  w.rules.SelectMessage(1);
  EXPECT_EQ(view.Transcript(), std::string(kLogInSent) + "UIDL 2\r\nLIST 2\r\nRETR 2\r\nQUIT\r\n");
  EXPECT_EQ(v.memo, std::vector<std::string>{"Hello <b>there</b>"});
  b = w.rules.Buttons();
  EXPECT_TRUE(b.reply && b.del && b.previous && b.next);
  EXPECT_EQ(w.rules.PrintLines(), (std::vector<std::string>{v.list[1], "", "Hello <b>there</b>"}));

  w.rules.Reply();
  EXPECT_EQ(v.page, EmailPage::kWrite);
  EXPECT_EQ(v.fields.to, "ann_lee@example.org");
  EXPECT_EQ(v.fields.from, "visitor@example.org");
  EXPECT_EQ(v.fields.subject, "re:second");
  EXPECT_EQ(v.memo, (std::vector<std::string>{">>Hello <b>there</b>", ""}));
}

// Delete finds the listed message again by its unique id (or, without UIDL, by its size
// and header block) and deletes nothing when it is gone.
TEST(EmailWindow, DeleteRemovesTheListedMessageWhereverItIsNow) {
  struct Case {
    const char* name;
    Steps view;        // the conversation that shows message 2 ("uid-b")
    Steps remove;      // the conversation of Delete
    std::string sent;  // what Delete sends after logging in
    bool changed;      // the visitor is told the list has changed
  };
  const Case cases[] = {
      {"still in place", Then(Then(LogIn(3), Uidl(2, "uid-b")), Retr(2, "b")),
       Then(Then(LogIn(3), Uidl(2, "uid-b")), {Read(), Say("+OK marked")}), "UIDL 2\r\nDELE 2\r\nQUIT\r\n", false},
      {"moved up: another client deleted the first", Then(Then(LogIn(3), Uidl(2, "uid-b")), Retr(2, "b")),
       Then(Then(Then(LogIn(2), Uidl(2, "uid-c")), Uidl(1, "uid-b")), {Read(), Say("+OK marked")}),
       "UIDL 2\r\nUIDL 1\r\nDELE 1\r\nQUIT\r\n", false},
      {"gone", Then(Then(LogIn(3), Uidl(2, "uid-b")), Retr(2, "b")),
       Then(Then(LogIn(2), Uidl(2, "uid-c")), Uidl(1, "uid-a")), "UIDL 2\r\nUIDL 1\r\nQUIT\r\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer list(ListThree());
    Window w;
    w.LogInAndList(list);
    ScriptedServer view(Then(c.view, Quit()));
    w.host.servers.push_back(&view);
    w.rules.SelectMessage(1);
    ScriptedServer remove(Then(c.remove, Quit()));
    ScriptedServer again(ListThree());
    w.host.servers.push_back(&remove);
    w.host.servers.push_back(&again);
    w.rules.Delete();
    EXPECT_EQ(w.host.questions, std::vector<std::string>{"E6"});
    EXPECT_EQ(remove.Transcript(), std::string(kLogInSent) + c.sent);
    EXPECT_EQ(w.host.errors, c.changed ? std::vector<std::string>{"Changed"} : std::vector<std::string>{});
    // The list is fetched again either way.
    EXPECT_TRUE(again.Accepted());
    EXPECT_EQ(w.rules.View().list.size(), 3u);
    EXPECT_EQ(w.rules.View().selected, -1);
  }
}

TEST(EmailWindow, WithoutUidlTheSizeAndHeadersFindTheMessage) {
  // The server knows no UIDL: the list asks once, then no more.
  auto info = [](int n, const std::string& subject) {
    return Steps{Read(), Say("+OK " + std::to_string(n) + " 300"), Read(), Say("+OK"),
                 ScriptedServer::Send("Subject: " + subject + "\r\n\r\n.\r\n")};
  };
  ScriptedServer list(
      Then(Then(Then(Then(LogIn(2), {Read(), Say("-ERR no UIDL")}), info(1, "one")), info(2, "two")), Quit()));
  Window w;
  w.LogInAndList(list);
  EXPECT_EQ(list.Transcript(),
            std::string(kLogInSent) + "UIDL 1\r\nLIST 1\r\nTOP 1 1\r\nLIST 2\r\nTOP 2 1\r\nQUIT\r\n");
  ScriptedServer view(Then(Then(Then(LogIn(2), info(2, "two")), Retr(2, "two's text")), Quit()));
  w.host.servers.push_back(&view);
  w.rules.SelectMessage(1);
  EXPECT_EQ(w.rules.View().memo, std::vector<std::string>{"two's text"});
  // Message 1 was deleted elsewhere: "two" is now message 1.
  ScriptedServer remove(Then(Then(Then(LogIn(1), info(1, "two")), {Read(), Say("+OK")}), Quit()));
  ScriptedServer again(Then(Then(Then(LogIn(1), {Read(), Say("-ERR no UIDL")}), info(1, "two")), Quit()));
  w.host.servers.push_back(&remove);
  w.host.servers.push_back(&again);
  w.rules.Delete();
  EXPECT_EQ(remove.Transcript(), std::string(kLogInSent) + "LIST 1\r\nTOP 1 1\r\nDELE 1\r\nQUIT\r\n");
  EXPECT_TRUE(w.host.errors.empty());
}

TEST(EmailWindow, ACancelledDeleteSaysSoAndFetchesNothing) {
  ScriptedServer list(ListThree());
  Window w;
  w.LogInAndList(list);
  ScriptedServer view(Then(Then(Then(LogIn(3), Uidl(1, "uid-a")), Retr(1, "a")), Quit()));
  w.host.servers.push_back(&view);
  w.rules.SelectMessage(0);
  w.host.answer = false;
  w.rules.Delete();
  EXPECT_EQ(w.host.errors, std::vector<std::string>{"E7"});
  EXPECT_TRUE(w.host.servers.empty());
  EXPECT_EQ(w.rules.View().selected, 0);
}

TEST(EmailWindow, RefusedLogInsPointAtTheFieldToCorrect) {
  struct Case {
    const char* name;
    Steps script;
    std::string shown;
    EmailField focus;
  };
  const Case cases[] = {
      {"user refused", {Say("+OK"), Read(), Say("-ERR no such user")}, "E1", EmailField::kUser},
      {"password refused",
       {Say("+OK"), Read(), Say("+OK"), Read(), Say("-ERR [AUTH] Authentication failed.")},
       "E2",
       EmailField::kPassword},
      {"locked mailbox",
       {Say("+OK"), Read(), Say("+OK"), Read(), Say("+OK"), Read(), Say("-ERR [IN-USE] locked")},
       "Server Error - -ERR [IN-USE] locked",
       EmailField::kServer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer server(c.script);
    Window w;
    w.LogInAndList(server);
    EXPECT_EQ(w.host.errors, std::vector<std::string>{c.shown});
    EXPECT_EQ(w.rules.View().focus, c.focus);
    EXPECT_EQ(w.rules.View().page, EmailPage::kAccount);
    EXPECT_FALSE(w.rules.View().busy);
  }
}

// The visitor leaves (Hide, the idle return) or the window is opened again while the server
// is silent: the transfer ends at once, nothing is shown over the next page, nothing is kept.
TEST(EmailWindow, LeavingOrReopeningDuringATransferCancelsItAndShowsNothing) {
  enum class Then { kHide, kReopen, kClearVisitor };
  struct Case {
    const char* name;
    bool send;
    Then then;
  };
  const Case cases[] = {{"fetch, hide", false, Then::kHide},
                        {"send, hide", true, Then::kHide},
                        {"fetch, opened again", false, Then::kReopen},
                        {"send, idle return", true, Then::kClearVisitor}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer server(c.send ? Steps{Say("220 ready"), Read(), ScriptedServer::Pause(2000)}
                                 : Steps{Say("+OK"), Read(), ScriptedServer::Pause(2000)});
    Window w(false, server.address());
    w.host.on_pump = [&] {
      if (!server.Received().empty() && w.rules.View().busy) {
        if (c.then == Then::kHide) w.rules.Hide();
        if (c.then == Then::kReopen) w.rules.Open(0, "");
        if (c.then == Then::kClearVisitor) w.rules.ClearVisitor();
      }
    };
    if (c.send) {
      w.rules.Open(0, "");
      w.rules.Edit(EmailField::kUser, "visitor");
      w.rules.NewMessage();
      w.rules.Edit(EmailField::kFrom, "me@example.org");
      w.rules.Edit(EmailField::kTo, "ann@example.org");
      w.rules.Edit(EmailField::kSubject, "private");
      w.rules.SetMemo({"my text"});
      w.rules.Send();
    } else {
      w.LogInAndList(server);
    }
    EXPECT_TRUE(w.host.errors.empty());
    EXPECT_EQ(w.host.log.back(), "Email Error - E7");
    const EmailWindowView& v = w.rules.View();
    EXPECT_FALSE(v.busy);
    EXPECT_EQ(v.visible, c.then == Then::kReopen);
    EXPECT_EQ(v.page, EmailPage::kAccount);
    EXPECT_TRUE(v.fields.user.empty() && v.fields.password.empty() && v.fields.from.empty() && v.fields.to.empty() &&
                v.fields.subject.empty() && v.list.empty() && v.memo.empty());
  }
}

TEST(EmailWindow, OpeningsStartClean) {
  Window w;
  w.rules.Open(1,
               "mailto:ann@example.org,%20bob@example.org?subject=Hi%0D%0ABcc:%20x@y&cc=cy@example.org"
               "&body=Line%201%0D%0ALine%202");
  const EmailWindowView& v = w.rules.View();
  EXPECT_EQ(v.page, EmailPage::kWrite);
  EXPECT_EQ(v.fields.to, "ann@example.org, bob@example.org, cy@example.org");
  EXPECT_EQ(v.fields.subject, "HiBcc: x@y");
  EXPECT_EQ(v.memo, (std::vector<std::string>{"Line 1", "Line 2"}));
  EXPECT_TRUE(w.host.keyboard);
  w.rules.Edit(EmailField::kFrom, "me@example.org");
  // Cancel in mailto use hides the window and empties it.
  w.rules.Cancel(EmailPage::kWrite);
  EXPECT_FALSE(v.visible || w.host.shown || w.host.keyboard);
  EXPECT_TRUE(v.memo.empty() && v.fields.to.empty() && v.fields.from.empty());
  EXPECT_EQ(w.host.log,
            (std::vector<std::string>{"Email Window Opened - MailTo Use", "Cancel#3 Pressed", "Email Window Closed"}));

  w.rules.Open(0, "");
  w.rules.Edit(EmailField::kUser, "visitor");
  w.rules.NewMessage();
  w.rules.Edit(EmailField::kTo, "typed@example.org");
  EXPECT_EQ(v.fields.to, "typed@example.org");
  w.rules.SetMemo({"draft"});
  EXPECT_EQ(w.rules.PrintLines(),
            (std::vector<std::string>{"From: ", "To: typed@example.org", "Subject: ", "", "draft"}));
  // The idle return: nothing stays for the next visitor.
  w.rules.ClearVisitor();
  EmailFields fresh;
  fresh.server = "pop.example.org";
  EXPECT_EQ(v.fields, fresh);
  EXPECT_TRUE(v.memo.empty());
}

TEST(EmailWindow, MailtoReadOnlyLocksToOnlyForTheLink) {
  EmailWindowConfig config = Config();
  config.mailto_read_only = true;
  Host host;
  EmailWindowRules rules(host, config, PlainServer(), false);
  rules.Open(1, "ann@example.org");
  rules.Edit(EmailField::kTo, "other@example.org");
  EXPECT_EQ(rules.View().fields.to, "ann@example.org");
  rules.Open(0, "");
  rules.NewMessage();
  rules.Edit(EmailField::kTo, "other@example.org");
  EXPECT_EQ(rules.View().fields.to, "other@example.org");
}

Steps SmtpUpTo(int recipients, const std::string& last_reply) {
  Steps s = {Say("220 ready"), Read(), Say("250 hi"), Read(), Say("250 ok")};
  for (int n = 1; n < recipients; ++n) s = Then(s, {Read(), Say("250 ok")});
  return Then(s, {Read(), Say(last_reply)});
}

TEST(EmailWindow, SendGivesEveryRecipientItsOwnRcptAndNamesARefusedOne) {
  // Two recipients typed in To and cc Self: three RCPT lines.
  ScriptedServer good(Then(SmtpUpTo(3, "250 ok"), {Read(), Say("354 go"), ScriptedServer::ReadUntil("\r\n.\r\n"),
                                                   Say("250 queued"), Read(), Say("221 bye")}));
  Window w(false, good.address());
  w.rules.Open(0, "");
  w.rules.NewMessage();
  w.rules.Edit(EmailField::kFrom, "me@example.org");
  w.rules.Edit(EmailField::kTo, "Ann <ann@example.org>; bob@example.org");
  w.rules.Edit(EmailField::kSubject, "Hello");
  w.rules.SetMemo({"first", ".dot"});
  w.rules.Send();
  const std::string sent = good.Transcript();
  EXPECT_NE(sent.find("MAIL FROM:<me@example.org>\r\nRCPT TO:<ann@example.org>\r\nRCPT TO:<bob@example.org>\r\n"
                      "RCPT TO:<me@example.org>\r\nDATA\r\n"),
            std::string::npos)
      << sent;
  EXPECT_NE(sent.find("\r\n\r\nfirst\r\n..dot\r\n"), std::string::npos) << sent;
  EXPECT_TRUE(w.host.errors.empty());
  // Sent: the window leaves the writing page as Cancel does.
  EXPECT_EQ(w.host.log.back(), "Cancel#3 Pressed");
  EXPECT_EQ(w.rules.View().page, EmailPage::kAccount);

  struct Case {
    const char* name;
    std::string to;
    Steps script;
    std::string shown;
    EmailField focus;  // where it was (the writing page's first field) unless the error moves it
  };
  const Case cases[] = {
      {"refused second", "ann@example.org, bad@nowhere",
       Then(SmtpUpTo(2, "550 5.1.1 no such user"), {Read(), Say("221 bye")}),
       "Server Error - 550 5.1.1 no such user (bad@nowhere)", EmailField::kFrom},
      {"bad syntax", "x@@y", Then(SmtpUpTo(1, "553 Bad address syntax"), {Read(), Say("221 bye")}), "E5",
       EmailField::kFrom},
      {"no recipient", " ; ", {}, "E4", EmailField::kTo},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer server(c.script, !c.script.empty());
    Window bad(false, server.address());
    bad.rules.Open(0, "");
    bad.rules.NewMessage();
    bad.rules.Edit(EmailField::kFrom, "me@example.org");
    bad.rules.Edit(EmailField::kTo, c.to);
    bad.rules.SetCcSelf(false);
    bad.rules.Send();
    EXPECT_EQ(bad.host.errors, std::vector<std::string>{c.shown});
    EXPECT_EQ(bad.rules.View().focus, c.focus);
    EXPECT_EQ(bad.rules.View().page, EmailPage::kWrite);
  }
}

TEST(EmailWindow, ErrorTable) {
  const EmailErrorStrings s = Config().error_strings;
  using A = EmailAction;
  struct Case {
    A action;
    std::function<void()> raise;
    EmailErrorReport report;
  };
  const Case cases[] = {
      {A::kGetMail, [] { throw ESocketError("[11001] Host not found"); }, {"E0", EmailField::kServer}},
      {A::kGetMail,
       [] { throw ESocketError("[10061] Connection refused"); },
       {"Socket Error - [10061] Connection refused"}},
      {A::kGetMail, [] { throw EServerError("-ERR Password supplied is wrong"); }, {"E2", EmailField::kPassword}},
      {A::kGetMail, [] { throw EServerError("-ERR visitor unknown, or access denied"); }, {"E1", EmailField::kUser}},
      {A::kGetMail,
       [] { throw EServerError("-ERR other unknown, or access denied"); },
       {"Server Error - -ERR other unknown, or access denied"}},
      {A::kGetMail, [] { throw ETimedOutError("Operation timed out"); }, {"TimeOut Error - Operation timed out"}},
      {A::kGetMail, [] { throw ECanceledError("x"); }, {"E7"}},
      {A::kGetMail, [] { throw EMessageError("m"); }, {"Message Error - m"}},
      {A::kSend, [] { throw EMessageError("The address of sender is required"); }, {"E3", EmailField::kFrom}},
      {A::kSend, [] { throw EServerError("553 Null recipient not accepted"); }, {"E4", EmailField::kTo}},
      {A::kSend, [] { throw EServerError("553 Invalid address syntax"); }, {"E5"}},
      {A::kSend, [] { throw ESocketError("[11001] Host not found"); }, {"Socket Error - [11001] Host not found"}},
      {A::kSend, [] { throw EServerError("-ERR Password"); }, {"Server Error - -ERR Password"}},
      {A::kView, [] { throw ECanceledError("x"); }, {"E7"}},
      {A::kDelete, [] { throw ECanceledError("x"); }, {"E7"}},
      {A::kDelete, [] { throw ETlsError("TLS Error - no"); }, {"Socket Error - TLS Error - no"}},
  };
  for (const Case& c : cases) {
    try {
      c.raise();
    } catch (const EMailError& e) {
      EXPECT_EQ(EmailErrorFor(c.action, e, "visitor", s), c.report) << e.what();
    }
  }
}

TEST(EmailText, TakeAddressAndRecipients) {
  const std::pair<const char*, const char*> addresses[] = {
      {"Ann Lee <ann_lee@example.org>", "ann_lee@example.org"},
      {"\"Lee, Ann\" <ann@x.org>, bob@y.org", "ann@x.org"},
      {"'ann@x.org'", "ann@x.org"},
      {"ann@x.org (Ann)", "ann@x.org"},
      {"no address here", ""},
      {"@", "@"},
  };
  for (const auto& [value, address] : addresses) EXPECT_EQ(TakeAddress(value), address) << value;
  EXPECT_EQ(SplitRecipients(" a@x , \"Lee; Ann\" <b@y>;;c@z; "),
            (std::vector<std::string>{"a@x", "\"Lee; Ann\" <b@y>", "c@z"}));
}

}  // namespace
}  // namespace tw
