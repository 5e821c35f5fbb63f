// Quoted-printable text for mail bodies and attachments.
//
// Encoding cuts the source into paragraphs at its line breaks (CR LF, or a lone LF or
// CR), each paragraph into pieces of at most 65 source characters, cut at the last
// blank (which begins the next piece) or hard at 65; every piece but a paragraph's last
// ends with the soft break "=". Control characters, "=" and bytes of 128 and above are
// written as "=" and two upper-case hex digits, and so is a blank that would end a line.
// A paragraph may hold at most kMaxParagraph bytes, in either direction.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

class QuotedPrintable {
 public:
  static constexpr std::size_t kMaxParagraph = 24575;
  static constexpr std::size_t kMaxPiece = 65;

  // The encoded lines (without line ends). Raises EMessageError "Paragraph is too large".
  static std::vector<std::string> Encode(std::string_view data);
  // Joins the lines: "=" + two hex digits becomes that byte, a line ending in "=" runs on
  // into the next, other lines are separated by CR LF. Raises EMessageParserError
  // "Paragraph is too large".
  static std::string Decode(const std::vector<std::string>& lines);
  // Decodes the "=" + hex escapes of one piece of text (encoded words).
  static std::string DecodeText(std::string_view text);
};

}  // namespace tw
