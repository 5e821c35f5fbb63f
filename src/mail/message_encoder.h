// Writes a message (SaveToStream): the header block, then the body and attachments in
// the layout that the effective content type calls for.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "mail/custom_message.h"
#include "mail/mail_line_writer.h"

namespace tw {

class TmsMessageEncoder {
 public:
  TmsMessageEncoder(const TmsCustomMessage& message, std::ostream& stream);
  void Encode();

 private:
  void WriteUuencoded();
  void WriteTextPlain();
  void WriteTextRich(const std::string& type);
  void WriteMultipart(const std::string& type, bool top_level);
  void WriteSingleAttachment(const TmsAttItem& item);
  void WriteTextPartHeader();
  void WriteBodyLines();
  void WriteAttachmentHeader(const TmsAttItem& item);
  void WriteContents(const TmsAttItem& item);
  // A boundary that occurs in none of the texts written unencoded or quoted-printable.
  std::string PickBoundary(const std::string& other = {}) const;

  const TmsCustomMessage& message_;
  MailLineWriter out_;
  bool long_lines_ = false;
};

}  // namespace tw
