#include "mail/quoted_printable.h"

#include "mail/mail_errors.h"

namespace tw {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void Escape(unsigned char c, std::string& out) {
  out.push_back('=');
  out.push_back(kHex[c >> 4]);
  out.push_back(kHex[c & 15]);
}

void EncodePiece(std::string_view piece, bool last, std::string& out) {
  for (std::size_t i = 0; i < piece.size(); ++i) {
    const auto c = static_cast<unsigned char>(piece[i]);
    const bool line_end = last && i + 1 == piece.size();
    if (c < 32 || c == '=' || c >= 128 || (c == ' ' && line_end)) {
      Escape(c, out);
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  if (!last) out.push_back('=');
}

void EncodeParagraph(std::string_view paragraph, std::vector<std::string>& lines) {
  if (paragraph.size() > QuotedPrintable::kMaxParagraph) throw EMessageError("Paragraph is too large");
  if (paragraph.empty()) {
    lines.emplace_back();
    return;
  }
  constexpr std::size_t kPiece = QuotedPrintable::kMaxPiece;
  while (!paragraph.empty()) {
    std::size_t cut = paragraph.size();
    if (paragraph.size() > kPiece) {
      // The last blank up to the 66th character begins the next piece.
      const std::size_t blank = paragraph.substr(0, kPiece + 1).find_last_of(' ');
      cut = (blank != std::string_view::npos && blank > 0) ? std::min(blank, kPiece) : kPiece;
    }
    std::string line;
    EncodePiece(paragraph.substr(0, cut), cut == paragraph.size(), line);
    lines.push_back(std::move(line));
    paragraph.remove_prefix(cut);
  }
}

}  // namespace

std::vector<std::string> QuotedPrintable::Encode(std::string_view data) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] != '\r' && data[i] != '\n') continue;
    EncodeParagraph(data.substr(start, i - start), lines);
    if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
    start = i + 1;
  }
  EncodeParagraph(data.substr(start), lines);
  return lines;
}

std::string QuotedPrintable::Decode(const std::vector<std::string>& lines) {
  std::string out;
  std::size_t paragraph = 0;  // bytes of the current paragraph so far
  for (std::size_t n = 0; n < lines.size(); ++n) {
    std::string_view line = lines[n];
    // Blanks at the end of a line were added in transit.
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    bool soft = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '=') {
        if (i + 1 == line.size()) {
          soft = true;
          break;
        }
        if (i + 2 < line.size() && HexValue(line[i + 1]) >= 0 && HexValue(line[i + 2]) >= 0) {
          out.push_back(static_cast<char>(HexValue(line[i + 1]) * 16 + HexValue(line[i + 2])));
          i += 2;
          ++paragraph;
          continue;
        }
      }
      out.push_back(line[i]);
      ++paragraph;
    }
    if (paragraph > kMaxParagraph) throw EMessageParserError("Paragraph is too large");
    if (!soft && n + 1 < lines.size()) {
      out += "\r\n";
      paragraph = 0;
    }
  }
  return out;
}

std::string QuotedPrintable::DecodeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '=' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

}  // namespace tw
