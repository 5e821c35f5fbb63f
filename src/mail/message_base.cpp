#include "mail/message_base.h"

#include "mail/boundary.h"
#include "mail/encoded_words.h"
#include "mail/mail_errors.h"
#include "mail/message_decoder.h"
#include "mail/message_encoder.h"
#include "mail/text_util.h"

namespace tw {
namespace {

bool IsAltName(const Attachment& item) { return StartsWithNoCase(item.BaseName(), "_alt."); }

}  // namespace

void CheckNoLineBreak(std::string_view text, const char* what) {
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    throw EMessageError(std::string(what) + " contains a line break");
  }
}

MessageBase::MessageBase() : content_type_("text/plain") {}
MessageBase::~MessageBase() = default;

std::string MessageBase::ContentType() const {
  if (encoding_ == MessageEncoding::kUU) return {};
  const std::size_t count = attachments_.Count();
  if (count > 0) {
    bool all_alt = true;
    for (const auto& item : attachments_) all_alt = all_alt && IsAltName(item);
    if (all_alt) return "multipart/alternative";
  }
  if (body_.empty()) {
    if (count == 1) {
      const std::string name = ToLowerAscii(attachments_.Item(0).BaseName());
      if (name == "_rtfbody.rtf") return "text/rtf";
      if (name == "_htmbody.htm") return "text/html";
      return attachments_.Item(0).ContentType();
    }
    return count == 0 ? "text/plain" : "multipart/mixed";
  }
  if (count > 0) return "multipart/mixed";
  return content_type_.empty() ? "text/plain" : content_type_;
}

void MessageBase::SetContentType(std::string_view content_type) {
  content_type_ = ToLowerAscii(CutTo(content_type, kShortTextMax));
}

void MessageBase::SetSubject(std::string_view subject) { subject_ = CutTo(subject, kShortTextMax); }

std::string MessageBase::NewBoundary() const { return boundary_source_ ? boundary_source_() : RandomBoundary(); }

void MessageBase::Validate() const {
  if (sender_.Address().empty()) throw EMessageError("The address of sender is required");
  CheckHeaderTexts();
}

void MessageBase::CheckHeaderTexts() const {
  CheckNoLineBreak(sender_.Name(), "The sender's name");
  CheckNoLineBreak(sender_.Address(), "The sender's address");
  CheckNoLineBreak(subject_, "The subject");
  for (const auto& line : headers_.Lines()) CheckNoLineBreak(line, "A header line");
  for (const auto& item : attachments_) {
    CheckNoLineBreak(item.FileName(), "An attachment's file name");
    CheckNoLineBreak(item.ContentType(), "An attachment's content type");
  }
}

void MessageBase::SaveToStream(std::ostream& stream) const {
  CheckHeaderTexts();  // nothing is written when a header text would break the block
  MessageEncoder encoder(*this, stream);
  encoder.Encode();
}

void MessageBase::LoadFromStream(std::istream& stream) {
  MessageDecoder decoder(*this, stream);
  decoder.Decode();
}

void MessageBase::Clear() {
  body_.clear();
  attachments_.Clear();
  sender_.Clear();
  headers_.Clear();
  subject_.clear();
  encoding_ = MessageEncoding::kMIME;
  char_set_ = MailCharSet::kUSASCII;
  content_type_.clear();
}

void MessageBase::AssignFromHeaders(const MailHeaders& headers) {
  const MailAddress from = ParseMailAddress(headers.GetHeader("From"));
  sender_ = from;
  const std::string subject = headers.GetHeader("Subject");
  if (!subject.empty()) SetSubject(subject);
  headers_ = headers;
}

void MessageBase::Assign(const MessageBase& other) {
  if (&other == this) return;
  sender_ = other.sender_;
  subject_ = other.subject_;
  encoding_ = other.encoding_;
  char_set_ = other.char_set_;
  headers_ = other.headers_;
  body_ = other.body_;
  attachments_ = other.attachments_;
  content_type_ = other.ContentType();
}

std::string MessageBase::EncodeHeaderText(const std::string& text) const {
  if (char_set_ == MailCharSet::kISO2022jp && encoding_ == MessageEncoding::kMIME && !text.empty() &&
      text.front() == '\x1b') {
    return EncodeWordBase64("ISO-2022-JP", text);
  }
  return text;
}

std::string MessageBase::FormatAddress(const MailAddress& address) const {
  std::string name = address.Name();
  const std::string encoded = EncodeHeaderText(name);
  if (encoded != name) {
    name = encoded;
  } else if (name.find('.') != std::string::npos && name.find('"') == std::string::npos) {
    name = "\"" + name + "\"";
  }
  return name + " <" + address.Address() + ">";
}

}  // namespace tw
