#include "mail/message_decoder.h"

#include "mail/base64.h"
#include "mail/boundary.h"
#include "mail/mail_errors.h"
#include "mail/quoted_printable.h"
#include "mail/text_util.h"
#include "mail/uuencode.h"

namespace tw {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "begin NNN name" (case-insensitive): the first line of a uuencoded file.
bool IsUuBegin(const std::string& line, std::string* name) {
  if (line.size() < 9 || !StartsWithNoCase(line, "begin ")) return false;
  if (!IsDigit(line[6]) || !IsDigit(line[7]) || !IsDigit(line[8])) return false;
  if (line.size() > 9 && line[9] != ' ') return false;
  *name = line.size() > 10 ? std::string(TrimBlanks(std::string_view(line).substr(10))) : std::string();
  return true;
}

bool IsUuEnd(const std::string& line) { return line == "`" || EqualsNoCase(TrimBlanks(line), "end"); }

// 1 for a part delimiter "--boundary", 2 for the closing "--boundary--", else 0.
int DelimiterKind(std::string_view line, const std::string& boundary) {
  if (line.size() < boundary.size() + 2 || line.substr(0, 2) != "--" || line.substr(2, boundary.size()) != boundary) {
    return 0;
  }
  std::string_view rest = line.substr(boundary.size() + 2);
  if (rest.substr(0, 2) == "--" && TrimBlanks(rest.substr(2)).empty()) return 2;
  return TrimBlanks(rest).empty() ? 1 : 0;
}

// The media type of a Content-Type value, lower case, without parameters.
std::string MediaType(std::string_view value) { return ToLowerAscii(TrimBlanks(value.substr(0, value.find(';')))); }

}  // namespace

std::optional<std::string> HeaderParameter(std::string_view value, std::string_view name) {
  // Segments separated by ";" outside double quotes; the first is the value itself.
  std::size_t start = 0;
  bool quoted = false;
  bool first = true;
  for (std::size_t i = 0; i <= value.size(); ++i) {
    if (i < value.size() && value[i] == '"') quoted = !quoted;
    if (i < value.size() && (value[i] != ';' || quoted)) continue;
    const std::string_view segment = TrimBlanks(value.substr(start, i - start));
    start = i + 1;
    if (first) {
      first = false;
      continue;
    }
    const auto eq = segment.find('=');
    if (eq == std::string_view::npos || !EqualsNoCase(TrimBlanks(segment.substr(0, eq)), name)) continue;
    std::string_view result = TrimBlanks(segment.substr(eq + 1));
    if (!result.empty() && result.front() == '"') {
      result.remove_prefix(1);
      result = result.substr(0, result.find('"'));
    }
    return std::string(result);
  }
  return std::nullopt;
}

MessageDecoder::MessageDecoder(MessageBase& message, std::istream& stream) : message_(message) {
  char block[16384];
  while (stream.read(block, sizeof(block)) || stream.gcount() > 0) {
    source_.append(block, static_cast<std::size_t>(stream.gcount()));
    if (source_.size() > kMaxMessageBytes) throw EMessageParserError("The message is too large");
  }
}

void MessageDecoder::Decode() {
  lines_.emplace(source_);
  // The POP3 terminator: the last line holding only ".". It is no part of the message
  // (and would spoil a message that ends in an encoded attachment).
  std::string_view raw = source_;
  if (!lines_->Lines().empty() && lines_->Lines().back() == ".") {
    lines_->DropLast();
    if (!raw.empty() && raw.back() == '\n') raw.remove_suffix(1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    raw.remove_suffix(1);
  }
  while (!lines_->Eof() && !lines_->Peek().empty()) headers_.Add(lines_->ReadLine());
  if (!lines_->Eof()) lines_->ReadLine();  // the empty line after the headers

  message_.AssignFromHeaders(headers_);
  try {
    if (ContainsNoCase(headers_.GetHeader("MIME-Version"), "1.0")) {
      DecodeMime();
    } else {
      DecodePlain();
    }
  } catch (const EMessageParserError& error) {
    message_.Body() = {"The following error has been occured while processing the message:", error.what(),
                       "The original message will be stored as an attachment"};
    message_.Attachments().Clear();
    Attachment& item = message_.Attachments().AddData("original.eml", std::string(raw));
    item.SetContentType("message/rfc822");
    item.SetEncoding(AttachmentEncoding::kSevenBit);
  }
}

Attachment& MessageDecoder::AddAttachment(const std::string& name) {
  AttachmentList& list = message_.Attachments();
  if (list.Count() >= kMaxAttachments) throw EMessageParserError("Too many attachments");
  return list.AddData(name, {});
}

void MessageDecoder::DecodePlain() {
  auto& body = message_.Body();
  while (!lines_->Eof()) {
    const std::string& line = lines_->ReadLine();
    std::string name;
    if (!IsUuBegin(line, &name)) {
      body.push_back(line);
      continue;
    }
    // The blank line that separates an attachment from the text before it.
    if (!body.empty() && body.back().empty()) body.pop_back();
    std::string data;
    while (!lines_->Eof()) {
      const std::string& data_line = lines_->ReadLine();
      if (IsUuEnd(data_line)) {
        if (data_line == "`" && !lines_->Eof() && EqualsNoCase(TrimBlanks(lines_->Peek()), "end")) {
          lines_->ReadLine();
        }
        break;
      }
      UuDecodeLine(data_line, data);
    }
    const std::string file_name = name.empty() ? "att." + std::to_string(message_.Attachments().Count()) : name;
    AddAttachment(file_name).Contents() = std::move(data);
    message_.SetEncoding(MessageEncoding::kUU);
  }
}

std::string MessageDecoder::DecodeData(const std::string& transfer_encoding, const std::vector<std::string>& lines) {
  if (ContainsNoCase(transfer_encoding, "base64")) return Base64DecodeLines(lines);
  if (ContainsNoCase(transfer_encoding, "x-uue")) {
    std::string data;
    std::string name;
    for (const auto& line : lines) {
      if (IsUuBegin(line, &name)) continue;
      if (IsUuEnd(line)) break;
      UuDecodeLine(line, data);
    }
    return data;
  }
  if (ContainsNoCase(transfer_encoding, "quoted-printable")) return QuotedPrintable::Decode(lines);
  return JoinLines(lines);
}

void MessageDecoder::DecodeMime() {
  std::string type = headers_.GetHeader("Content-Type");
  if (headers_.GetHeader("X-Mailer") == "V Mailsystem R #0001") type.clear();
  if (ContainsNoCase(type, "multipart")) {
    DecodeMultipart(HeaderParameter(type, "boundary").value_or(""), ContainsNoCase(type, "multipart/alternative"), 0);
    return;
  }
  const std::string transfer = headers_.GetHeader("Content-Transfer-Encoding");
  const auto name = HeaderParameter(type, "name");
  if ((!type.empty() && !ContainsNoCase(type, "text/")) || (name && !EqualsNoCase(*name, "cc:Mail"))) {
    // The whole body is one attachment.
    std::vector<std::string> content;
    while (!lines_->Eof()) content.push_back(lines_->ReadLine());
    std::string file_name;
    if (name) {
      file_name = *name;
    } else if (auto disposition = HeaderParameter(headers_.GetHeader("Content-Disposition"), "filename")) {
      file_name = *disposition;
    } else {
      file_name = "att." + std::to_string(message_.Attachments().Count());
    }
    std::string data = DecodeData(transfer, content);
    Attachment& item = AddAttachment(file_name);
    item.SetContentType(MediaType(type));
    item.SetEncoding(EncodingForContentType(item.ContentType()));
    item.Contents() = std::move(data);
    return;
  }
  if (ContainsNoCase(type, "text/html")) message_.SetContentType("text/html");
  if (ContainsNoCase(type, "text/rtf")) message_.SetContentType("text/rtf");
  // A body that was converted from quoted-printable in transit is marked as Latin text,
  // but it is no longer encoded: only the transfer encoding decides the decoding.
  const bool quoted = ContainsNoCase(transfer, "quoted-printable");
  if (quoted || ContainsNoCase(headers_.GetHeader("X-MIME-Autoconverted"), "quoted-printable")) {
    message_.SetCharSet(MailCharSet::kISO8859);
  }
  std::vector<std::string> content;
  if (quoted || ContainsNoCase(transfer, "base64")) {
    while (!lines_->Eof()) content.push_back(lines_->ReadLine());
    message_.Body() = SplitTextPieces(quoted ? QuotedPrintable::Decode(content) : Base64DecodeLines(content));
    return;
  }
  DecodePlain();
  if (message_.Encoding() == MessageEncoding::kUU) {
    for (const char* header : {"MIME-VERSION", "CONTENT-TYPE", "CONTENT-TRANSFER-ENCODING"}) {
      message_.Headers().RemoveAllHeaders(header);
    }
  }
}

MailHeaders MessageDecoder::ReadPartHeaders(const std::string& boundary) {
  MailHeaders part;
  while (!lines_->Eof()) {
    const std::string& line = lines_->Peek();
    if (line.empty()) {
      lines_->ReadLine();
      break;
    }
    if (DelimiterKind(line, boundary) != 0) break;
    part.Add(lines_->ReadLine());
  }
  return part;
}

int MessageDecoder::ReadUntilDelimiter(const std::string& boundary, std::vector<std::string>* content) {
  while (!lines_->Eof()) {
    const std::string& line = lines_->ReadLine();
    const int kind = DelimiterKind(line, boundary);
    if (kind != 0) return kind;
    if (content) content->push_back(line);
  }
  return 0;
}

void MessageDecoder::DecodeMultipart(const std::string& boundary, bool alternative, int depth) {
  if (boundary.empty()) throw EMessageParserError("Cannot find boundary");
  for (;;) {
    if (lines_->Eof()) throw EMessageParserError("Cannot find boundary");
    const std::string& line = lines_->ReadLine();
    if (DelimiterKind(line, boundary) == 1) break;
    if (depth == 0 && line == kOldMultipartPreamble) extra_empty_line_ = true;
  }
  for (bool first = true;; first = false) {
    const MailHeaders part = ReadPartHeaders(boundary);
    const std::string type = part.GetHeader("Content-Type");
    if (body_pending_ && ContainsNoCase(type, "multipart") && depth + 1 < kMaxNesting) {
      const auto inner = HeaderParameter(type, "boundary");
      if (inner && !inner->empty() && *inner != boundary) {
        // A group as the first part (text with its HTML alternative, say): its first
        // part is the body, the others are attachments.
        DecodeMultipart(*inner, ContainsNoCase(type, "multipart/alternative"), depth + 1);
        const int end = ReadUntilDelimiter(boundary, nullptr);
        if (end == 0) throw EMessageParserError("Cannot find closing boundary");
        if (end == 2) return;
        continue;
      }
    }
    std::vector<std::string> content;
    const int end = ReadUntilDelimiter(boundary, &content);
    if (end == 0) throw EMessageParserError("Cannot find closing boundary");
    HandlePart(part, content, alternative, depth == 0 && first && end == 2);
    if (end == 2) return;
  }
}

void MessageDecoder::HandlePart(const MailHeaders& part, std::vector<std::string>& content, bool alternative,
                                bool whole_message) {
  const std::string type = part.GetHeader("Content-Type");
  const std::string transfer = part.GetHeader("Content-Transfer-Encoding");
  // The line break before a delimiter belongs to the delimiter, so the lines joined are the
  // part's contents; the text's last line break ends its last line and is no empty line of
  // its own.
  if (body_pending_) {
    body_pending_ = false;
    if (!content.empty() && content.back().empty()) content.pop_back();
    const auto charset = HeaderParameter(type, "charset");
    if (charset && EqualsNoCase(*charset, "iso-2022-jp")) message_.SetCharSet(MailCharSet::kISO2022jp);
    if (whole_message && !type.empty()) message_.SetContentType(MediaType(type));
    if (ContainsNoCase(transfer, "quoted-printable")) {
      message_.Body() = SplitTextPieces(QuotedPrintable::Decode(content));
      message_.SetCharSet(MailCharSet::kISO8859);
      return;
    }
    if (!ContainsNoCase(transfer, "base64")) {
      message_.Body() = std::move(content);
      return;
    }
    if (message_.CharSet() == MailCharSet::kISO2022jp) {
      message_.Body() = SplitTextPieces(Base64DecodeLines(content));
      return;
    }
    // Any other base64 first part is the first attachment.
  }
  std::string file_name;
  if (auto name = HeaderParameter(type, "name")) {
    file_name = *name;
  } else if (auto disposition = HeaderParameter(part.GetHeader("Content-Disposition"), "filename")) {
    file_name = *disposition;
  } else {
    file_name = (alternative ? "_alt." : "att.") + std::to_string(message_.Attachments().Count());
  }
  // Our earlier writer added an empty line after every attachment.
  if (extra_empty_line_ && !content.empty() && content.back().empty()) content.pop_back();
  std::string data = DecodeData(transfer, content);
  Attachment& item = AddAttachment(file_name);
  item.SetContentType(type.empty() ? std::string("text/plain") : MediaType(type));
  item.SetEncoding(EncodingForContentType(item.ContentType()));
  item.Contents() = std::move(data);
}

}  // namespace tw
