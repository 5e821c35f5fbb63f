#include "mail/base64.h"

#include <array>

#include "mail/mail_errors.h"

namespace tw {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of each character: 0..63, kPad for "=", kSkip for line breaks, kBad otherwise.
constexpr signed char kPad = -2;
constexpr signed char kSkip = -3;
constexpr signed char kBad = -1;

constexpr std::array<signed char, 256> MakeDecodeTable() {
  std::array<signed char, 256> table{};
  for (auto& v : table) v = kBad;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
  table['='] = kPad;
  table['\r'] = kSkip;
  table['\n'] = kSkip;
  return table;
}
constexpr std::array<signed char, 256> kDecode = MakeDecodeTable();

void EncodeInto(std::string_view data, char* out) {
  const auto* in = reinterpret_cast<const unsigned char*>(data.data());
  std::size_t i = 0;
  const std::size_t n = data.size();
  for (; i + 3 <= n; i += 3) {
    const unsigned v = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
    *out++ = kAlphabet[(v >> 18) & 63];
    *out++ = kAlphabet[(v >> 12) & 63];
    *out++ = kAlphabet[(v >> 6) & 63];
    *out++ = kAlphabet[v & 63];
  }
  if (i < n) {
    unsigned v = in[i] << 16;
    if (i + 1 < n) v |= in[i + 1] << 8;
    *out++ = kAlphabet[(v >> 18) & 63];
    *out++ = kAlphabet[(v >> 12) & 63];
    *out++ = i + 1 < n ? kAlphabet[(v >> 6) & 63] : '=';
    *out++ = '=';
  }
}

std::size_t EncodedSize(std::size_t n) { return (n + 2) / 3 * 4; }

// Decodes text and appends the bytes to out; a group may continue on the next line.
void DecodeInto(std::string_view text, std::string& out, unsigned& bits, int& count) {
  // Whole groups of four alphabet characters, the usual case, go at once.
  std::size_t i = 0;
  if (count == 0) {
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    for (; i + 4 <= text.size(); i += 4) {
      const signed char a = kDecode[in[i]], b = kDecode[in[i + 1]], c = kDecode[in[i + 2]], d = kDecode[in[i + 3]];
      if ((a | b | c | d) < 0) break;
      const unsigned v = (static_cast<unsigned>(a) << 18) | (static_cast<unsigned>(b) << 12) |
                         (static_cast<unsigned>(c) << 6) | static_cast<unsigned>(d);
      const char bytes[3] = {static_cast<char>(v >> 16), static_cast<char>((v >> 8) & 0xFF),
                             static_cast<char>(v & 0xFF)};
      out.append(bytes, 3);
    }
  }
  for (const char c : text.substr(i)) {
    const signed char v = kDecode[static_cast<unsigned char>(c)];
    if (v >= 0) {
      bits = (bits << 6) | static_cast<unsigned>(v);
      if (++count == 4) {
        out.push_back(static_cast<char>((bits >> 16) & 0xFF));
        out.push_back(static_cast<char>((bits >> 8) & 0xFF));
        out.push_back(static_cast<char>(bits & 0xFF));
        bits = 0;
        count = 0;
      }
    } else if (v == kPad) {
      // The fill character ends the group: keep the whole bytes it holds.
      if (count == 2) out.push_back(static_cast<char>((bits >> 4) & 0xFF));
      if (count == 3) {
        out.push_back(static_cast<char>((bits >> 10) & 0xFF));
        out.push_back(static_cast<char>((bits >> 2) & 0xFF));
      }
      bits = 0;
      count = 0;
    } else if (v == kBad) {
      throw EMessageParserError("Invalid Character");
    }
  }
}

// A group cut short without fill characters at the end of the text.
void Flush(std::string& out, unsigned bits, int count) {
  if (count == 2) out.push_back(static_cast<char>((bits >> 4) & 0xFF));
  if (count == 3) {
    out.push_back(static_cast<char>((bits >> 10) & 0xFF));
    out.push_back(static_cast<char>((bits >> 2) & 0xFF));
  }
}

}  // namespace

std::string Base64Encode(std::string_view data) {
  std::string out(EncodedSize(data.size()), '\0');
  EncodeInto(data, out.data());
  return out;
}

std::vector<std::string> Base64EncodeLines(std::string_view data) {
  std::vector<std::string> lines;
  lines.reserve(data.size() / kBase64LineBytes + 1);
  for (std::size_t at = 0; at < data.size(); at += kBase64LineBytes) {
    const std::string_view piece = data.substr(at, kBase64LineBytes);
    std::string line(EncodedSize(piece.size()), '\0');
    EncodeInto(piece, line.data());
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string Base64Decode(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 4 * 3 + 3);
  unsigned bits = 0;
  int count = 0;
  DecodeInto(text, out, bits, count);
  Flush(out, bits, count);
  return out;
}

std::string Base64DecodeLines(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size();
  std::string out;
  out.reserve(total / 4 * 3 + 3);
  unsigned bits = 0;
  int count = 0;
  for (const auto& line : lines) DecodeInto(line, out, bits, count);
  Flush(out, bits, count);
  return out;
}

}  // namespace tw
