// The visitors' e-mail window without its widgets: three pages (account, message list,
// writing), the fields, the memo, the busy state and which buttons may be pressed, the
// log lines and the errors shown, given what the POP3 and SMTP clients answer. The
// window forwards every press and edit here and draws View().
//
// Nothing of one visitor reaches the next: opening empties every field but the server
// (and, with Debug on, the account), hiding empties the account, the list and the memo.
// A message is read and deleted only after its unique id (or, on servers without UIDL,
// its size and header block) was found again in the mailbox, so a mailbox changed by
// another client never loses the wrong message.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kiosk/email/rules/email_errors.h"
#include "kiosk/email/rules/email_window_config.h"
#include "mail/mail_security.h"
#include "mail/pop3_mailbox.h"
#include "mail/smtp_client.h"

namespace tw {

enum class EmailPage { kAccount = 0, kList = 1, kWrite = 2 };
// What the memo shows: the lines of View().memo, or one of the operator's help files.
enum class EmailMemo { kText, kAccountHelp, kReadingHelp };

struct EmailFields {
  std::string server, user, password, from, to, subject;
  bool cc_self = true;

  bool operator==(const EmailFields&) const = default;
};

struct EmailWindowView {
  bool visible = false;
  EmailPage page = EmailPage::kAccount;
  EmailFields fields;
  bool server_read_only = false;
  bool to_read_only = false;
  bool memo_read_only = true;
  EmailMemo memo_kind = EmailMemo::kAccountHelp;
  std::vector<std::string> memo;  // plain text, never rendered
  std::vector<std::string> list;
  int selected = -1;
  bool busy = false;
  // The field that takes the focus next; the window clears it once it has moved the focus.
  EmailField focus = EmailField::kNone;
};

// Which of the window's controls may be pressed (the Cancel buttons always may).
struct EmailButtons {
  bool get = false, new_message = false, reply = false, del = false, send = false, list = false;
  bool previous = false, next = false;  // the tool bar's previous/next message buttons

  bool operator==(const EmailButtons&) const = default;
};

class EmailWindowHost {
 public:
  virtual ~EmailWindowHost() = default;
  virtual void WriteLog(std::string_view text) = 0;
  // Modal: returns when the visitor has dismissed it.
  virtual void ShowError(const std::string& text) = 0;
  // Modal, with Cancel: true when the visitor confirmed.
  virtual bool Ask(const std::string& question) = 0;
  virtual bool KeyboardShown() const = 0;
  virtual void ToggleKeyboard() = 0;
  // The window is shown or hidden (the browser and the keyboard's target follow it).
  virtual void WindowShown(bool shown) = 0;
  // The busy bar: shown while mail moves.
  virtual void BusyChanged(bool busy) = 0;
  // Runs pending events while a transfer waits.
  virtual void PumpMessages() = 0;
};

class EmailWindowRules {
 public:
  // server: the mail server for sending and how both servers are reached (security,
  // trusted CA file, plain-text log-in allowed). debug keeps the account between visitors.
  EmailWindowRules(EmailWindowHost& host, EmailWindowConfig config, MailServerSettings server, bool debug);

  const EmailWindowView& View() const { return view_; }
  EmailButtons Buttons() const;
  // The lines printed for the page on show: the selected list line and the shown message
  // on the list page, the header fields and the text on the writing page; nothing else.
  std::vector<std::string> PrintLines() const;

  // mode 0: the Email button; 1: a "mailto" link (with or without its scheme).
  void Open(int mode, std::string_view address);
  void Hide();
  // The kiosk went back to its start page for the next visitor.
  void ClearVisitor();

  // The visitor's edits.
  void Edit(EmailField field, std::string text);
  void SetCcSelf(bool on) { view_.fields.cc_self = on; }
  void SetMemo(std::vector<std::string> lines);
  void FocusTaken() { view_.focus = EmailField::kNone; }

  void GetMail();
  void SelectMessage(int index);  // a click on the list
  void StepSelection(int step);   // the tool bar's previous (-1) / next (+1)
  void NewMessage();
  void Reply();
  void Delete();
  void Send();
  // The Cancel button of a page.
  void Cancel(EmailPage page);

  // For tests: the clients' time-out, in seconds.
  void SetTimeOut(int seconds);

 private:
  void ShowPage(EmailPage page);
  void ShowMessage();
  void ClearMail();
  void CancelTransfers();
  void BeginBusy();
  void EndBusy();
  // Runs work as one transfer: busy around it, a mail error reported as the table says,
  // shown unless the window was hidden or opened again meanwhile (then logged). True
  // when work ended normally and the window still belongs to the same opening.
  template <typename Work>
  bool Transfer(EmailAction action, Work&& work);
  void Report(const EmailErrorReport& report, int opening);
  void ConnectPop();
  // Within a connection: the current index of listed message index, or -1.
  int Locate(int index);

  EmailWindowHost& host_;
  EmailWindowConfig config_;
  MailServerSettings server_;
  bool debug_;
  EmailWindowView view_;
  int mode_ = 0;
  EmailPage return_page_ = EmailPage::kAccount;
  std::vector<Pop3MessageInfo> info_;  // the listed messages' sizes, headers, unique ids
  bool message_shown_ = false;
  int opening_ = 0;  // counts openings and hidings; a transfer compares it
  Pop3Mailbox pop_;
  SmtpClient smtp_;
  std::string retrieved_;  // the text of the message being retrieved
};

}  // namespace tw
