#include "mail/message_encoder.h"

#include "mail/base64.h"
#include "mail/boundary.h"
#include "mail/quoted_printable.h"
#include "mail/text_util.h"
#include "mail/uuencode.h"

namespace tw {
namespace {

// Body lines of this length or longer are sent quoted-printable.
constexpr std::size_t kLongLine = 256;

std::string Lower(const Attachment& item) { return ToLowerAscii(item.BaseName()); }
bool IsAlt(const Attachment& item) { return StartsWithNoCase(item.BaseName(), "_alt."); }
bool IsBodyFile(const Attachment& item) {
  const std::string name = Lower(item);
  return name == "_htmbody.htm" || name == "_rtfbody.rtf";
}
// An attachment that is a file of its own (not part of an alternative group nor a body).
bool IsOrdinary(const Attachment& item) { return !IsAlt(item) && !IsBodyFile(item); }

}  // namespace

MessageEncoder::MessageEncoder(const MessageBase& message, std::ostream& stream) : message_(message), out_(stream) {}

void MessageEncoder::Encode() {
  for (const auto& line : message_.Body()) long_lines_ = long_lines_ || line.size() >= kLongLine;
  message_.WriteHeaderBlock(out_);
  const std::string type = message_.ContentType();
  const AttachmentList& attachments = message_.Attachments();
  if (message_.Encoding() == MessageEncoding::kUU) {
    WriteUuencoded();
  } else if (type == "multipart/mixed") {
    WriteMultipart(type, true);
  } else if (type == "multipart/alternative") {
    WriteMultipart(type, false);
  } else if (type == "text/plain") {
    if (attachments.Count() == 0 || !message_.Body().empty()) {
      WriteTextPlain();
    } else {
      WriteSingleAttachment(attachments.Item(0));
    }
  } else if (type == "text/html" || type == "text/rtf") {
    // A lone attachment that is a file of its own keeps its name; only a body file
    // (or a real body) is written as the text itself.
    if (message_.Body().empty() && attachments.Count() == 1 && IsOrdinary(attachments.Item(0))) {
      WriteSingleAttachment(attachments.Item(0));
    } else {
      WriteTextRich(type);
    }
  } else if (attachments.Count() > 0) {
    WriteSingleAttachment(attachments.Item(0));
  } else {
    // A stored type that needs an attachment but there is none: the body goes as text.
    WriteTextPlain();
  }
  out_.Flush();
}

void MessageEncoder::WriteUuencoded() {
  out_.Line("");
  out_.Lines(message_.Body());
  for (const auto& item : message_.Attachments()) {
    out_.Line("");
    out_.Line("begin 600 " + item.BaseName());
    out_.Lines(UuEncodeLines(item.Contents()));
    out_.Line("`");
    out_.Line("end");
  }
}

void MessageEncoder::WriteTextPartHeader() {
  if (message_.CharSet() == MailCharSet::kISO8859) {
    out_.Line("Content-Type: text/plain; charset=\"iso-8859-1\"");
    out_.Line("Content-Transfer-Encoding: quoted-printable");
    return;
  }
  out_.Line(message_.CharSet() == MailCharSet::kISO2022jp ? "Content-Type: text/plain; charset=\"iso-2022-jp\""
                                                          : "Content-Type: text/plain; charset=\"us-ascii\"");
  out_.Line(long_lines_ ? "Content-Transfer-Encoding: quoted-printable" : "Content-Transfer-Encoding: 7bit");
}

void MessageEncoder::WriteBodyLines() {
  if (message_.Body().empty()) return;
  if (message_.CharSet() == MailCharSet::kISO8859 || long_lines_) {
    out_.Lines(QuotedPrintable::Encode(JoinLines(message_.Body())));
  } else {
    out_.Lines(message_.Body());
  }
}

void MessageEncoder::WriteTextPlain() {
  WriteTextPartHeader();
  out_.Line("");
  WriteBodyLines();
}

void MessageEncoder::WriteTextRich(const std::string& type) {
  std::string line = "Content-Type: " + type;
  if (message_.CharSet() != MailCharSet::kUSASCII) line += "; charset=\"iso-8859-1\"";
  out_.Line(line);
  out_.Line("Content-Transfer-Encoding: quoted-printable");
  out_.Line("");
  if (!message_.Body().empty()) {
    out_.Lines(QuotedPrintable::Encode(JoinLines(message_.Body())));
  } else if (message_.Attachments().Count() == 1) {
    // "_htmbody.htm" / "_rtfbody.rtf": the file is the text.
    out_.Lines(QuotedPrintable::Encode(message_.Attachments().Item(0).Contents()));
  }
}

std::string MessageEncoder::PickBoundary(const std::string& other) const {
  std::string boundary;
  for (int attempt = 0; attempt < 100; ++attempt) {
    boundary = message_.NewBoundary();
    if (boundary.empty() || boundary == other) continue;
    const std::string delimiter = "--" + boundary;
    bool clash = false;
    for (const auto& line : message_.Body()) clash = clash || line.find(delimiter) != std::string::npos;
    for (const auto& item : message_.Attachments()) {
      if (item.Encoding() != AttachmentEncoding::kBase64) {
        clash = clash || item.Contents().find(delimiter) != std::string::npos;
      }
    }
    if (!clash) break;
  }
  return boundary;
}

void MessageEncoder::WriteAttachmentHeader(const Attachment& item) {
  const bool ordinary = IsOrdinary(item);
  std::string type = "Content-Type: " + item.ContentType();
  if (ordinary) type += "; name=\"" + item.BaseName() + "\"";
  out_.Line(type);
  out_.Line(std::string("Content-Transfer-Encoding: ") + EncodingName(item.Encoding()));
  if (ordinary) out_.Line("Content-Disposition: attachment; filename=\"" + item.BaseName() + "\"");
}

void MessageEncoder::WriteContents(const Attachment& item) {
  switch (item.Encoding()) {
    case AttachmentEncoding::kBase64: out_.Lines(Base64EncodeLines(item.Contents())); break;
    case AttachmentEncoding::kQuotedPrintable: out_.Lines(QuotedPrintable::Encode(item.Contents())); break;
    case AttachmentEncoding::kSevenBit: out_.Lines(SplitTextPieces(item.Contents())); break;
  }
}

void MessageEncoder::WriteSingleAttachment(const Attachment& item) {
  out_.Line("Content-Type: " + item.ContentType() + "; name=\"" + item.BaseName() + "\"");
  out_.Line(std::string("Content-Transfer-Encoding: ") + EncodingName(item.Encoding()));
  out_.Line("Content-Disposition: attachment; filename=\"" + item.BaseName() + "\"");
  out_.Line("");
  WriteContents(item);
}

void MessageEncoder::WriteMultipart(const std::string& type, bool top_level) {
  const AttachmentList& attachments = message_.Attachments();
  const std::string outer = PickBoundary();
  out_.Line("Content-Type: " + type + "; boundary=\"" + outer + "\"");
  out_.Line("");
  out_.Line(kMultipartPreamble);
  out_.Line("");
  out_.Line("--" + outer);
  std::string current = outer;
  bool in_group = false;
  if (top_level && attachments.Count() > 0 && IsAlt(attachments.Item(0))) {
    current = PickBoundary(outer);
    in_group = true;
    out_.Line("Content-Type:  multipart/alternative; boundary=\"" + current + "\"");
    out_.Line("Content-Transfer-Encoding: 7bit");
    out_.Line("");
    out_.Line("--" + current);
  }
  if (!message_.Body().empty()) {
    WriteTextPartHeader();
    out_.Line("");
    WriteBodyLines();
    out_.Line("");
    if (attachments.Count() == 0 && !in_group) {
      out_.Line("--" + current + "--");
      return;
    }
    out_.Line("--" + current);
  }
  for (std::size_t i = 0; i < attachments.Count(); ++i) {
    const Attachment& item = attachments.Item(i);
    if (i > 0) out_.Line("--" + current);
    WriteAttachmentHeader(item);
    out_.Line("");
    // The line break before the next delimiter belongs to the delimiter, so the contents'
    // own last line break (if any) is all that is written: a reader gets the file back
    // byte for byte.
    WriteContents(item);
    if (in_group && i + 1 < attachments.Count() && !IsAlt(attachments.Item(i + 1))) {
      out_.Line("--" + current + "--");
      current = outer;
      in_group = false;
    }
  }
  out_.Line("--" + current + "--");
  if (in_group) out_.Line("--" + outer + "--");
}

}  // namespace tw
