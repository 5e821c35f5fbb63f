// Writes a message (SaveToStream): the header block, then the body and attachments in
// the layout that the effective content type calls for.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "mail/message_base.h"
#include "mail/mail_line_writer.h"

namespace tw {

class MessageEncoder {
 public:
  MessageEncoder(const MessageBase& message, std::ostream& stream);
  void Encode();

 private:
  void WriteUuencoded();
  void WriteTextPlain();
  void WriteTextRich(const std::string& type);
  void WriteMultipart(const std::string& type, bool top_level);
  void WriteSingleAttachment(const Attachment& item);
  void WriteTextPartHeader();
  void WriteBodyLines();
  void WriteAttachmentHeader(const Attachment& item);
  void WriteContents(const Attachment& item);
  // A boundary that occurs in none of the texts written unencoded or quoted-printable.
  std::string PickBoundary(const std::string& other = {}) const;

  const MessageBase& message_;
  MailLineWriter out_;
  bool long_lines_ = false;
};

}  // namespace tw
