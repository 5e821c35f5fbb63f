#include "kiosk/email/rules/email_window_rules.h"

#include <optional>
#include <sstream>

#include "common/texts/log_texts.h"
#include "common/addresses/mailto_link.h"
#include "kiosk/email/rules/email_text.h"
#include "mail/mail_message.h"

namespace tw {

EmailWindowRules::EmailWindowRules(EmailWindowHost& host, EmailWindowConfig config, MailServerSettings server,
                                   bool debug)
    : host_(host), config_(std::move(config)), server_(std::move(server)), debug_(debug) {
  pop_.SetMessagePump([this] { host_.PumpMessages(); });
  pop_.OnUserMessageSave = [this](int, const std::string& contents) { retrieved_ = contents; };
  smtp_.SetMessagePump([this] { host_.PumpMessages(); });
  view_.fields.server = config_.default_server;
  view_.server_read_only = config_.server_read_only;
}

void EmailWindowRules::SetTimeOut(int seconds) {
  pop_.Settings().time_out = seconds;
  smtp_.Settings().time_out = seconds;
}

EmailButtons EmailWindowRules::Buttons() const {
  EmailButtons b;
  if (view_.busy) return b;
  const int count = static_cast<int>(view_.list.size());
  const bool on_list = view_.page == EmailPage::kList;
  const bool selected = on_list && view_.selected >= 0 && view_.selected < count;
  b.get = b.new_message = b.send = b.list = true;
  b.reply = b.del = selected;
  b.previous = on_list && view_.selected > 0 && view_.selected < count;
  b.next = on_list && view_.selected < count - 1;
  return b;
}

std::vector<std::string> EmailWindowRules::PrintLines() const {
  std::vector<std::string> lines;
  if (view_.page == EmailPage::kList && message_shown_ && view_.selected >= 0 &&
      view_.selected < static_cast<int>(view_.list.size())) {
    lines = {view_.list[static_cast<std::size_t>(view_.selected)], ""};
  } else if (view_.page == EmailPage::kWrite) {
    lines = {"From: " + view_.fields.from, "To: " + view_.fields.to, "Subject: " + view_.fields.subject, ""};
  } else {
    return lines;
  }
  lines.insert(lines.end(), view_.memo.begin(), view_.memo.end());
  return lines;
}

void EmailWindowRules::ClearMail() {
  view_.list.clear();
  view_.selected = -1;
  info_.clear();
  view_.memo.clear();
  view_.memo_kind = EmailMemo::kText;
  message_shown_ = false;
  retrieved_.clear();
}

void EmailWindowRules::CancelTransfers() {
  if (!view_.busy) return;
  if (pop_.Connected()) pop_.Cancel();
  if (smtp_.Connected()) smtp_.Cancel();
}

void EmailWindowRules::Open(int mode, std::string_view address) {
  // A transfer still running belongs to the last opening: it ends first, quietly.
  CancelTransfers();
  ++opening_;
  if (!debug_) {
    view_.fields.server = config_.default_server;
    view_.fields.user.clear();
    view_.fields.password.clear();
    view_.server_read_only = config_.server_read_only;
  }
  ClearMail();
  view_.fields.from.clear();
  view_.fields.to.clear();
  view_.fields.subject.clear();
  view_.fields.cc_self = true;
  view_.to_read_only = false;
  mode_ = mode;
  return_page_ = EmailPage::kAccount;
  view_.visible = true;
  if (mode == 0) {
    host_.WriteLog(log_text::kEmailWindowOpened);
    ShowPage(EmailPage::kAccount);
  } else {
    host_.WriteLog(log_text::kEmailWindowOpenedMailTo);
    if (debug_) host_.WriteLog(log_text::kMailtoLink + std::string(address));
    const MailtoLink link = ParseMailtoLink(address);
    std::vector<std::string> to = link.to;
    to.insert(to.end(), link.cc.begin(), link.cc.end());
    view_.fields.to = JoinMailAddresses(to);
    view_.fields.subject = link.subject;
    view_.to_read_only = config_.mailto_read_only;
    ShowPage(EmailPage::kWrite);
    view_.memo = link.body;
  }
  host_.WindowShown(true);
  if (config_.show_keyboard && !host_.KeyboardShown()) host_.ToggleKeyboard();
}

void EmailWindowRules::Hide() {
  if (!view_.visible) return;
  host_.WriteLog(log_text::kEmailWindowClosed);
  CancelTransfers();
  ++opening_;
  view_.visible = false;
  view_.page = EmailPage::kAccount;
  view_.focus = EmailField::kNone;
  if (config_.hide_keyboard && host_.KeyboardShown()) host_.ToggleKeyboard();
  if (!debug_) {
    view_.fields.user.clear();
    view_.fields.password.clear();
  }
  view_.fields.from.clear();
  view_.fields.to.clear();
  view_.fields.subject.clear();
  ClearMail();
  host_.WindowShown(false);
}

void EmailWindowRules::ClearVisitor() {
  Hide();
  ++opening_;
  ClearMail();
  if (!debug_) {
    view_.fields = EmailFields();
    view_.fields.server = config_.default_server;
  }
}

void EmailWindowRules::Edit(EmailField field, std::string text) {
  EmailFields& f = view_.fields;
  switch (field) {
    case EmailField::kServer:
      if (!view_.server_read_only) f.server = std::move(text);
      break;
    case EmailField::kUser: f.user = std::move(text); break;
    case EmailField::kPassword: f.password = std::move(text); break;
    case EmailField::kFrom: f.from = std::move(text); break;
    case EmailField::kTo:
      if (!view_.to_read_only) f.to = std::move(text);
      break;
    case EmailField::kSubject: f.subject = std::move(text); break;
    case EmailField::kMemo:
    case EmailField::kNone: break;
  }
}

void EmailWindowRules::SetMemo(std::vector<std::string> lines) {
  if (view_.memo_read_only) return;
  view_.memo = std::move(lines);
  view_.memo_kind = EmailMemo::kText;
}

void EmailWindowRules::ShowPage(EmailPage page) {
  view_.page = page;
  switch (page) {
    case EmailPage::kAccount:
      view_.memo.clear();
      view_.memo_kind = EmailMemo::kAccountHelp;
      view_.memo_read_only = true;
      message_shown_ = false;
      view_.focus = EmailField::kServer;
      break;
    case EmailPage::kList:
      view_.memo_read_only = true;
      if (return_page_ == EmailPage::kAccount) {
        view_.memo.clear();
        view_.memo_kind = EmailMemo::kReadingHelp;
        message_shown_ = false;
        view_.selected = -1;
      } else if (return_page_ == EmailPage::kWrite) {
        ShowMessage();
      }
      break;
    case EmailPage::kWrite:
      view_.memo_kind = EmailMemo::kText;
      view_.memo_read_only = false;
      message_shown_ = false;
      view_.focus = EmailField::kFrom;
      break;
  }
}

void EmailWindowRules::BeginBusy() {
  view_.busy = true;
  host_.BusyChanged(true);
}

void EmailWindowRules::EndBusy() {
  view_.busy = false;
  host_.BusyChanged(false);
}

void EmailWindowRules::Report(const EmailErrorReport& report, int opening) {
  if (opening != opening_ || !view_.visible) {
    // The visitor who started it has gone: nothing is shown over the next one's page.
    host_.WriteLog(log_text::kEmailError + report.text);
    return;
  }
  if (report.focus != EmailField::kNone) view_.focus = report.focus;
  host_.ShowError(report.text);
}

template <typename Work>
bool EmailWindowRules::Transfer(EmailAction action, Work&& work) {
  const int opening = opening_;
  const std::string user = view_.fields.user;
  BeginBusy();
  bool done = false;
  std::optional<EmailErrorReport> error;
  try {
    work();
    done = true;
  } catch (const EMailError& e) {
    error = EmailErrorFor(action, e, user, config_.error_strings);
  }
  // Never left open after a failure: no QUIT, so nothing marked is deleted.
  if (!done) {
    pop_.Close();
    smtp_.Close();
  }
  EndBusy();
  if (error) Report(*error, opening);
  return done && opening == opening_;
}

void EmailWindowRules::ConnectPop() {
  // The mailbox and account the visitor typed, reached as the mail server is.
  MailServerSettings mailbox = server_;
  mailbox.address = view_.fields.server;
  mailbox.user_name = view_.fields.user;
  mailbox.password = view_.fields.password;
  pop_.UseServer(mailbox);
  pop_.Connect();
}

void EmailWindowRules::GetMail() {
  if (view_.busy || !view_.visible) return;
  host_.WriteLog(log_text::kEmailGetPressed);
  view_.list.clear();
  view_.selected = -1;
  info_.clear();
  std::vector<Pop3MessageInfo> listed;
  const bool done = Transfer(EmailAction::kGetMail, [&] {
    ConnectPop();
    bool uidl = true;
    for (int index = 0; index < pop_.MessageCount(); ++index) {
      Pop3MessageInfo item;
      uidl = pop_.FetchInfo(index, item, true, uidl) && uidl;
      listed.push_back(std::move(item));
    }
    pop_.Disconnect();
  });
  if (!done) return;
  ClearMail();
  info_ = std::move(listed);
  for (const Pop3MessageInfo& item : info_) view_.list.push_back(MessageListLine(item.headers));
  return_page_ = EmailPage::kAccount;
  ShowPage(EmailPage::kList);
}

int EmailWindowRules::Locate(int index) {
  const Pop3MessageInfo& listed = info_.at(static_cast<std::size_t>(index));
  auto matches = [&](int at) {
    Pop3MessageInfo now;
    if (!listed.unique_id.empty()) return pop_.FetchInfo(at, now, false, true) && now.unique_id == listed.unique_id;
    pop_.FetchInfo(at, now, true, false);
    return now.size == listed.size && now.headers == listed.headers;
  };
  const int count = pop_.MessageCount();
  if (index < count && matches(index)) return index;
  for (int at = 0; at < count; ++at) {
    if (at != index && matches(at)) return at;
  }
  return -1;
}

void EmailWindowRules::SelectMessage(int index) {
  if (view_.busy || !view_.visible || view_.page != EmailPage::kList) return;
  if (index < 0 || index >= static_cast<int>(view_.list.size())) return;
  view_.selected = index;
  ShowMessage();
}

void EmailWindowRules::StepSelection(int step) {
  const EmailButtons buttons = Buttons();
  if ((step < 0 && !buttons.previous) || (step > 0 && !buttons.next)) return;
  SelectMessage(view_.selected + (step < 0 ? -1 : 1));
}

void EmailWindowRules::ShowMessage() {
  const int index = view_.selected;
  if (index < 0 || index >= static_cast<int>(info_.size())) return;
  host_.WriteLog(log_text::kEmailMessageSelected);
  message_shown_ = false;
  view_.memo.clear();
  view_.memo_kind = EmailMemo::kText;
  retrieved_.clear();
  bool found = true;
  const bool done = Transfer(EmailAction::kView, [&] {
    ConnectPop();
    const int at = Locate(index);
    found = at >= 0;
    if (found) pop_.RetrieveMessage(at);
    pop_.Disconnect();
  });
  if (!done) return;
  if (!found) {
    host_.ShowError(config_.list_changed);
    GetMail();
    return;
  }
  MailMessage message;
  std::istringstream text(retrieved_);
  message.LoadFromStream(text);
  retrieved_.clear();
  view_.memo = message.Body();
  message_shown_ = true;
}

void EmailWindowRules::NewMessage() {
  if (view_.busy || !view_.visible) return;
  host_.WriteLog(log_text::kEmailNewPressed);
  view_.fields.to.clear();
  view_.fields.subject.clear();
  view_.to_read_only = false;
  view_.fields.cc_self = true;
  view_.memo.clear();
  return_page_ = EmailPage::kAccount;
  ShowPage(EmailPage::kWrite);
}

void EmailWindowRules::Reply() {
  if (!Buttons().reply) return;
  host_.WriteLog(log_text::kEmailReplyPressed);
  const MailHeaders& headers = info_.at(static_cast<std::size_t>(view_.selected)).headers;
  view_.fields.subject = "re:" + headers.GetHeader("Subject");
  view_.fields.cc_self = true;
  std::string reply_to = headers.GetHeader("Reply-to");
  view_.fields.to = TakeAddress(reply_to.empty() ? headers.GetHeader("From") : reply_to);
  view_.to_read_only = false;
  view_.fields.from = TakeAddress(headers.GetHeader("To"));
  view_.memo = QuotedForReply(view_.memo);
  return_page_ = EmailPage::kList;
  ShowPage(EmailPage::kWrite);
}

void EmailWindowRules::Delete() {
  if (!Buttons().del) return;
  host_.WriteLog(log_text::kEmailDeletePressed);
  const int opening = opening_;
  const int index = view_.selected;
  if (!host_.Ask(config_.error_strings[6])) {
    if (opening == opening_) host_.ShowError(config_.error_strings[7]);
    return;
  }
  if (opening != opening_ || index != view_.selected) return;
  bool found = true;
  const bool done = Transfer(EmailAction::kDelete, [&] {
    ConnectPop();
    const int at = Locate(index);
    found = at >= 0;
    if (found) pop_.DeleteMessage(at);
    // The server deletes on QUIT.
    pop_.Disconnect();
  });
  if (!done) return;
  if (!found) host_.ShowError(config_.list_changed);
  GetMail();
}

void EmailWindowRules::Send() {
  if (view_.busy || !view_.visible || view_.page != EmailPage::kWrite) return;
  host_.WriteLog(log_text::kEmailSendPressed);
  std::string refused;
  bool no_recipient = false;
  const bool done = Transfer(EmailAction::kSend, [&] {
    MailMessage message;
    message.SetContentType("text/plain");
    message.SetReturnReceipt(false);
    message.Sender().SetAddress(view_.fields.from);
    message.SetSubject(view_.fields.subject);
    for (const std::string& piece : SplitRecipients(view_.fields.to)) {
      const MailAddress address = ParseMailAddress(piece);
      message.Recipients().Add(address.Address(), address.Name());
    }
    if (view_.fields.cc_self && !view_.fields.from.empty()) message.CC().Add(view_.fields.from);
    message.Body() = view_.memo;
    // To is required (cc Self alone is no recipient); a missing sender is told first.
    if (!message.Sender().Address().empty() && message.Recipients().Empty()) {
      no_recipient = true;
      return;
    }
    message.Validate();
    smtp_.UseServer(server_);
    smtp_.SetMailMessage(&message);
    smtp_.OnAddressRejected = [&](const std::string& address, const std::string&, bool& proceed) {
      refused = address;
      proceed = false;
    };
    try {
      smtp_.Send();
    } catch (const EServerError& e) {
      smtp_.SetMailMessage(nullptr);
      if (refused.empty()) throw;
      throw EServerError(std::string(e.what()) + " (" + refused + ")");
    }
    smtp_.SetMailMessage(nullptr);
  });
  if (!done) return;
  if (no_recipient) {
    Report({config_.error_strings[4], EmailField::kTo}, opening_);
    return;
  }
  Cancel(EmailPage::kWrite);
}

void EmailWindowRules::Cancel(EmailPage page) {
  if (!view_.visible) return;
  switch (page) {
    case EmailPage::kAccount:
      host_.WriteLog(log_text::kEmailCancel1Pressed);
      if (pop_.Connected()) {
        pop_.Cancel();
      } else {
        Hide();
      }
      break;
    case EmailPage::kList:
      host_.WriteLog(log_text::kEmailCancel2Pressed);
      if (pop_.Connected()) {
        pop_.Cancel();
      } else {
        ShowPage(EmailPage::kAccount);
      }
      break;
    case EmailPage::kWrite:
      host_.WriteLog(log_text::kEmailCancel3Pressed);
      if (smtp_.Connected()) {
        smtp_.Cancel();
      } else if (mode_ == 1) {
        Hide();
      } else {
        const EmailPage back = return_page_;
        return_page_ = EmailPage::kWrite;
        ShowPage(back);
      }
      break;
  }
}

}  // namespace tw
