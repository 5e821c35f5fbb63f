#include "mail/mail_message.h"

#include "mail/mail_errors.h"
#include "mail/mail_line_writer.h"
#include "mail/text_util.h"

namespace tw {
namespace {

bool HasAddress(const AddressList& list) {
  for (const auto& entry : list) {
    if (!entry.Address().empty()) return true;
  }
  return false;
}

void CheckList(const AddressList& list) {
  for (const auto& entry : list) {
    CheckNoLineBreak(entry.Name(), "A recipient's name");
    CheckNoLineBreak(entry.Address(), "A recipient's address");
  }
}

}  // namespace

void MailMessage::Validate() const {
  if (Sender().Address().empty()) throw EMessageError("The address of sender is required");
  if (!HasAddress(recipients_) && !HasAddress(cc_) && !HasAddress(bcc_)) {
    throw EMessageError("At least one Recipient, CC or BCC must be entered");
  }
  CheckHeaderTexts();
}

void MailMessage::CheckHeaderTexts() const {
  MessageBase::CheckHeaderTexts();
  CheckList(recipients_);
  CheckList(cc_);
  CheckList(bcc_);  // never written, but sent as RCPT TO
}

void MailMessage::Clear() {
  MessageBase::Clear();
  recipients_.Clear();
  cc_.Clear();
  bcc_.Clear();
}

void MailMessage::AssignFromHeaders(const MailHeaders& headers) {
  MessageBase::AssignFromHeaders(headers);
  ParseAddressListHeader(headers, "To", recipients_);
  ParseAddressListHeader(headers, "CC", cc_);
  ParseAddressListHeader(headers, "BCC", bcc_);
  // "1 (Highest)" and "1" alike: the first word counts.
  const std::string priority = headers.GetHeader("X-Priority");
  const std::string word = priority.substr(0, priority.find(' '));
  priority_ = word == "1" ? MailPriority::kHigh : word == "5" ? MailPriority::kLow : MailPriority::kNormal;
  return_receipt_ = !headers.GetHeader("Return-receipt-to").empty();
}

void MailMessage::Assign(const MessageBase& other) {
  MessageBase::Assign(other);
  if (const auto* message = dynamic_cast<const MailMessage*>(&other); message && message != this) {
    recipients_ = message->recipients_;
    cc_ = message->cc_;
    bcc_ = message->bcc_;
    return_receipt_ = message->return_receipt_;
    priority_ = message->priority_;
  }
}

void MailMessage::WriteAddressHeader(MailLineWriter& out, const char* name, const AddressList& list) const {
  if (list.Empty()) return;
  std::string label = std::string(name) + ":";
  label.resize(10, ' ');
  const std::string indent(10, ' ');
  for (std::size_t i = 0; i < list.Count(); ++i) {
    std::string line = (i == 0 ? label : indent) + FormatAddress(list.Item(i));
    if (i + 1 < list.Count()) line += ',';
    out.Line(line);
  }
}

void MailMessage::WriteHeaderBlock(MailLineWriter& out) const {
  out.Line("From:     " + FormatAddress(Sender()));
  WriteAddressHeader(out, "To", recipients_);
  WriteAddressHeader(out, "CC", cc_);
  if (return_receipt_) out.Line("Return-Receipt-To: <" + Sender().Address() + ">");
  if (priority_ == MailPriority::kLow) out.Line("X-Priority: 5");
  if (priority_ == MailPriority::kHigh) out.Line("X-Priority: 1");
  MailHeaders extra = Headers();
  for (const char* name : {"From", "To", "CC", "BCC", "Return-Receipt-To", "X-Priority", "Subject", "Mime-Version",
                           "Content-Type", "X-Encoding", "Content-Transfer-Encoding"}) {
    extra.RemoveAllHeaders(name);
  }
  out.Lines(extra.Lines());
  if (!Subject().empty()) out.Line("Subject: " + EncodeHeaderText(Subject()));
  if (Encoding() == MessageEncoding::kMIME) out.Line("Mime-Version: 1.0");
}

}  // namespace tw
