#include "mail/encoded_words.h"

#include <algorithm>

#include "mail/base64.h"
#include "mail/quoted_printable.h"
#include "mail/text_util.h"

namespace tw {

std::string DecodeEncodedWords(std::string_view value) {
  std::string out;
  std::string_view rest = value;
  for (;;) {
    const std::size_t start = rest.find("=?");
    if (start == std::string_view::npos) {
      out.append(rest);
      break;
    }
    // The first "?B?" or "?Q?" after the start, then the closing "?=".
    std::size_t kind_at = std::string_view::npos;
    char kind = 0;
    for (std::size_t i = start + 2; i + 2 < rest.size(); ++i) {
      if (rest[i] == '?' && rest[i + 2] == '?') {
        const char k = static_cast<char>(rest[i + 1] & ~0x20);  // upper case
        if (k == 'B' || k == 'Q') {
          kind_at = i;
          kind = k;
          break;
        }
      }
    }
    const std::size_t end = kind_at == std::string_view::npos ? std::string_view::npos : rest.find("?=", kind_at + 3);
    if (end == std::string_view::npos) {
      out.append(rest.substr(0, start));
      break;
    }
    out.append(rest.substr(0, start));
    const std::string_view encoded = rest.substr(kind_at + 3, end - kind_at - 3);
    if (kind == 'B') {
      out += Base64Decode(encoded);
    } else {
      // In a Q word "_" stands for a blank (a real underscore is "=5F").
      std::string q(encoded);
      std::replace(q.begin(), q.end(), '_', ' ');
      out += QuotedPrintable::DecodeText(q);
    }
    rest = rest.substr(end + 2);
    // Blanks between two encoded words only separate them; before plain text they stay.
    const std::string_view next = TrimBlanks(rest);
    if (next.substr(0, 2) == "=?") rest = next;
  }
  return out;
}

std::string EncodeWordBase64(std::string_view charset, std::string_view text) {
  return "=?" + std::string(charset) + "?B?" + Base64Encode(text) + "?=";
}

}  // namespace tw
