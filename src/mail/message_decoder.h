// Reads a received message (LoadFromStream): headers, then the body text and the
// attachments of a plain, uuencoded or MIME message. A message that cannot be decoded
// keeps a short explanation as its body and the whole text as "original.eml".
//
// Limits keep a hostile message from exhausting the kiosk: the text may hold at most
// kMaxMessageBytes (a larger one is refused with EMessageParserError before anything is
// read), multiparts nest at most kMaxNesting deep (deeper groups are kept as attachments
// as they are) and a message holds at most kMaxAttachments attachments.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "mail/message_base.h"
#include "mail/line_stream.h"

namespace tw {

// The value of a parameter ("name", "boundary", "charset", ...) of a header value such as
// 'multipart/mixed; boundary="123"', without its quotes; nullopt when absent.
std::optional<std::string> HeaderParameter(std::string_view value, std::string_view name);

class MessageDecoder {
 public:
  static constexpr std::size_t kMaxMessageBytes = 64u << 20;
  static constexpr int kMaxNesting = 8;
  static constexpr std::size_t kMaxAttachments = 1000;

  MessageDecoder(MessageBase& message, std::istream& stream);
  void Decode();

 private:
  void DecodePlain();
  void DecodeMime();
  void DecodeMultipart(const std::string& boundary, bool alternative, int depth);
  void HandlePart(const MailHeaders& part, std::vector<std::string>& content, bool alternative, bool whole_message);
  MailHeaders ReadPartHeaders(const std::string& boundary);
  // Reads lines up to the next delimiter of boundary; returns 1 for "--b", 2 for "--b--".
  int ReadUntilDelimiter(const std::string& boundary, std::vector<std::string>* content);
  Attachment& AddAttachment(const std::string& name);
  std::string DecodeData(const std::string& transfer_encoding, const std::vector<std::string>& lines);

  MessageBase& message_;
  std::string source_;
  std::optional<LineStream> lines_;
  MailHeaders headers_;
  bool body_pending_ = true;       // the first leaf part has not been taken yet
  bool extra_empty_line_ = false;  // written by our earlier writer (see kOldMultipartPreamble)
};

}  // namespace tw
