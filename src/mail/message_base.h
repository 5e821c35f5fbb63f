// The common part of a mail message: sender, subject, extra headers, body text and
// attachments, with the MIME (or uuencoded) writer and reader.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "mail/attachment.h"
#include "mail/mail_headers.h"
#include "mail/mail_address.h"

namespace tw {

class MailLineWriter;

enum class MessageEncoding { kMIME = 0, kUU = 1 };
enum class MailCharSet { kUSASCII = 0, kISO8859 = 1, kISO2022jp = 2 };

class MessageBase {
 public:
  // Where multipart boundaries come from (tests fix them; the default is random).
  using BoundarySource = std::function<std::string()>;

  MessageBase();
  virtual ~MessageBase();
  MessageBase(const MessageBase&) = delete;
  MessageBase& operator=(const MessageBase&) = delete;

  AttachmentList& Attachments() { return attachments_; }
  const AttachmentList& Attachments() const { return attachments_; }

  // The effective content type, computed from the encoding, the attachments and the body;
  // the stored value only counts for a body without attachments.
  std::string ContentType() const;
  // Stores the text in lower case.
  void SetContentType(std::string_view content_type);
  const std::string& StoredContentType() const { return content_type_; }

  MessageEncoding Encoding() const { return encoding_; }
  void SetEncoding(MessageEncoding encoding) { encoding_ = encoding; }
  MailAddress& Sender() { return sender_; }
  const MailAddress& Sender() const { return sender_; }
  const std::string& Subject() const { return subject_; }
  void SetSubject(std::string_view subject);
  MailCharSet CharSet() const { return char_set_; }
  void SetCharSet(MailCharSet char_set) { char_set_ = char_set; }
  // Extra header lines to send; after loading, every received header line.
  MailHeaders& Headers() { return headers_; }
  const MailHeaders& Headers() const { return headers_; }
  std::vector<std::string>& Body() { return body_; }
  const std::vector<std::string>& Body() const { return body_; }

  void SetBoundarySource(BoundarySource source) { boundary_source_ = std::move(source); }
  std::string NewBoundary() const;

  // Raises EMessageError when the message cannot be sent as it is.
  virtual void Validate() const;
  // Writes the message as the text sent after DATA: CR LF line ends, lines beginning
  // with "." get one more in front. Raises EMessageError for a line break inside a
  // header text.
  virtual void SaveToStream(std::ostream& stream) const;
  // Reads a received message into this (emptied) message. A message that cannot be
  // decoded keeps an explanation as its body and the raw text as "original.eml".
  virtual void LoadFromStream(std::istream& stream);
  virtual void Clear();
  virtual void AssignFromHeaders(const MailHeaders& headers);
  // Copies another message (deep copies of the attachments); the stored content type
  // becomes the other message's effective one.
  virtual void Assign(const MessageBase& other);

  // Writes the header block (everything before the content headers).
  virtual void WriteHeaderBlock(MailLineWriter& out) const = 0;

 protected:
  // Raises EMessageError when a text that goes into a header holds CR or LF.
  virtual void CheckHeaderTexts() const;
  // "name <address>" with the name quoted or encoded as the header block needs it.
  std::string FormatAddress(const MailAddress& address) const;
  // A header text as written: base64 encoded word for ISO-2022-JP texts.
  std::string EncodeHeaderText(const std::string& text) const;

 private:
  AttachmentList attachments_;
  std::string content_type_;
  MessageEncoding encoding_ = MessageEncoding::kMIME;
  MailAddress sender_;
  std::string subject_;
  MailCharSet char_set_ = MailCharSet::kUSASCII;
  MailHeaders headers_;
  std::vector<std::string> body_;
  BoundarySource boundary_source_;
};

// Raises EMessageError(what + " contains a line break") when text holds CR or LF.
void CheckNoLineBreak(std::string_view text, const char* what);

}  // namespace tw
