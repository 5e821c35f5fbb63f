#include "mail/uuencode.h"

#include "mail/mail_errors.h"

namespace tw {
namespace {

char UuChar(unsigned v) { return v == 0 ? '`' : static_cast<char>(32 + v); }

unsigned UuValue(char c) {
  if (c < 32 || c > 96) throw EMessageParserError("Invalid Character");
  return static_cast<unsigned>(c - 32) & 63;
}

}  // namespace

std::vector<std::string> UuEncodeLines(std::string_view data) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < data.size(); at += kUuLineBytes) {
    const std::string_view piece = data.substr(at, kUuLineBytes);
    std::string line;
    line.reserve(1 + (piece.size() + 2) / 3 * 4);
    line.push_back(UuChar(static_cast<unsigned>(piece.size())));
    for (std::size_t i = 0; i < piece.size(); i += 3) {
      unsigned v = static_cast<unsigned char>(piece[i]) << 16;
      if (i + 1 < piece.size()) v |= static_cast<unsigned char>(piece[i + 1]) << 8;
      if (i + 2 < piece.size()) v |= static_cast<unsigned char>(piece[i + 2]);
      line.push_back(UuChar((v >> 18) & 63));
      line.push_back(UuChar((v >> 12) & 63));
      line.push_back(UuChar((v >> 6) & 63));
      line.push_back(UuChar(v & 63));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void UuDecodeLine(std::string_view line, std::string& out) {
  if (line.empty()) return;
  const std::size_t length = UuValue(line[0]);
  const std::size_t needed = (length + 2) / 3 * 4;
  if (line.size() < 1 + needed) throw EMessageParserError("Error decoding the attachment");
  std::size_t produced = 0;
  for (std::size_t i = 1; produced < length; i += 4) {
    const unsigned v =
        (UuValue(line[i]) << 18) | (UuValue(line[i + 1]) << 12) | (UuValue(line[i + 2]) << 6) | UuValue(line[i + 3]);
    for (int shift = 16; shift >= 0 && produced < length; shift -= 8, ++produced) {
      out.push_back(static_cast<char>((v >> shift) & 0xFF));
    }
  }
}

}  // namespace tw
