#include "common/texts/rtf_reader.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tw {
namespace {

// Windows-1252's characters 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kCp1252High = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                                  0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

constexpr std::size_t kMaxDepth = 200;

struct Style {
  bool bold = false;
  bool italic = false;
  bool skip = false;  // inside a destination that is not text
  int uc = 1;         // characters to skip after "\uN"
};

char32_t FromCp1252(int byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[static_cast<std::size_t>(byte - 0x80)] : static_cast<char32_t>(byte);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int Hex(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool SkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {"fonttbl",
                                                  "colortbl",
                                                  "stylesheet",
                                                  "info",
                                                  "pict",
                                                  "header",
                                                  "footer",
                                                  "headerl",
                                                  "headerr",
                                                  "footerl",
                                                  "footerr",
                                                  "object",
                                                  "themedata",
                                                  "colorschememapping",
                                                  "latentstyles",
                                                  "datastore",
                                                  "xmlnstbl",
                                                  "listtable",
                                                  "listoverridetable",
                                                  "rsidtbl",
                                                  "generator",
                                                  "filetbl",
                                                  "revtbl",
                                                  "fldinst",
                                                  "footnote",
                                                  "bkmkstart",
                                                  "bkmkend",
                                                  "field0"};
  for (std::string_view skipped : kSkipped) {
    if (word == skipped) return true;
  }
  return false;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Receives the text characters with the style they are written in.
class Sink {
 public:
  explicit Sink(bool html) : html_(html) {}
  void Put(char32_t c, const Style& style) {
    if (html_) {
      if (c != '\n' && (style.bold != bold_ || style.italic != italic_)) {
        CloseTags();
        if (style.bold) out_ += "<b>";
        if (style.italic) out_ += "<i>";
        bold_ = style.bold;
        italic_ = style.italic;
      }
      switch (c) {
        case '&': out_ += "&amp;"; return;
        case '<': out_ += "&lt;"; return;
        case '>': out_ += "&gt;"; return;
        case '"': out_ += "&quot;"; return;
        case '\n': out_ += "<br>\n"; return;
        case 0xA0: out_ += "&nbsp;"; return;
        default: break;
      }
    }
    // Surrogates and out-of-range values are no characters.
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
    if (c < 0x20 && c != '\n' && c != '\t') return;
    AppendUtf8(out_, c);
  }
  std::string Finish() {
    if (html_) CloseTags();
    return std::move(out_);
  }

 private:
  void CloseTags() {
    if (italic_) out_ += "</i>";
    if (bold_) out_ += "</b>";
    bold_ = italic_ = false;
  }

  bool html_;
  bool bold_ = false;
  bool italic_ = false;
  std::string out_;
};

std::string Read(std::string_view rtf, bool html) {
  Sink sink(html);
  std::vector<Style> stack;
  Style style;
  std::size_t depth = 0;     // groups open, including those beyond kMaxDepth
  int skip_fallback = 0;     // characters still to skip after "\uN"
  bool group_start = false;  // just after "{": "\*" there marks a destination to skip
  auto put = [&](char32_t c) {
    if (skip_fallback > 0) {
      --skip_fallback;
      return;
    }
    if (!style.skip) sink.Put(c, style);
  };
  std::size_t i = 0;
  while (i < rtf.size()) {
    const char c = rtf[i];
    if (c == '{') {
      ++depth;
      if (depth <= kMaxDepth) stack.push_back(style);
      group_start = true;
      skip_fallback = 0;
      ++i;
      continue;
    }
    if (c == '}') {
      if (depth > 0) {
        if (depth <= kMaxDepth) {
          style = stack.back();
          stack.pop_back();
        }
        --depth;
      }
      group_start = false;
      skip_fallback = 0;
      ++i;
      continue;
    }
    const bool at_group_start = group_start;
    group_start = false;
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      put(FromCp1252(static_cast<unsigned char>(c)));
      ++i;
      continue;
    }
    // A control symbol or word.
    ++i;
    if (i >= rtf.size()) break;
    const char s = rtf[i];
    if (!IsLetter(s)) {
      ++i;
      switch (s) {
        case '\\':
        case '{':
        case '}': put(static_cast<char32_t>(s)); break;
        case '~': put(0xA0); break;
        case '_': put('-'); break;
        case '*':
          if (at_group_start) style.skip = true;
          break;
        case '\'': {
          if (i + 1 < rtf.size() && Hex(rtf[i]) >= 0 && Hex(rtf[i + 1]) >= 0) {
            const int byte = Hex(rtf[i]) * 16 + Hex(rtf[i + 1]);
            i += 2;
            put(FromCp1252(byte));
          }
          break;
        }
        case '\r':
        case '\n': put('\n'); break;  // "\" before a line end is a paragraph
        default: break;               // "\-" optional hyphen and the rest: nothing to show
      }
      continue;
    }
    const std::size_t word_start = i;
    while (i < rtf.size() && IsLetter(rtf[i]) && i - word_start < 32) ++i;
    const std::string_view word = rtf.substr(word_start, i - word_start);
    bool has_number = false;
    bool negative = false;
    long long number = 0;
    if (i < rtf.size() && rtf[i] == '-') {
      negative = true;
      ++i;
    }
    while (i < rtf.size() && IsDigit(rtf[i])) {
      has_number = true;
      if (number < 10'000'000) number = number * 10 + (rtf[i] - '0');
      ++i;
    }
    if (negative) number = -number;
    if (i < rtf.size() && rtf[i] == ' ') ++i;  // the delimiter belongs to the word

    if (at_group_start && SkippedDestination(word)) {
      style.skip = true;
    } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
      put('\n');
    } else if (word == "tab") {
      put('\t');
    } else if (word == "emdash") {
      put(0x2014);
    } else if (word == "endash") {
      put(0x2013);
    } else if (word == "bullet") {
      put(0x2022);
    } else if (word == "lquote") {
      put(0x2018);
    } else if (word == "rquote") {
      put(0x2019);
    } else if (word == "ldblquote") {
      put(0x201C);
    } else if (word == "rdblquote") {
      put(0x201D);
    } else if (word == "b") {
      style.bold = !has_number || number != 0;
    } else if (word == "i") {
      style.italic = !has_number || number != 0;
    } else if (word == "plain") {
      style.bold = style.italic = false;
    } else if (word == "uc" && has_number && number >= 0 && number <= 10) {
      style.uc = static_cast<int>(number);
    } else if (word == "u" && has_number) {
      const long long code = number < 0 ? number + 65536 : number;
      skip_fallback = 0;
      put(code >= 0 && code <= 0xFFFF ? static_cast<char32_t>(code) : 0xFFFD);
      skip_fallback = style.uc;
    }
  }
  return sink.Finish();
}

}  // namespace

std::string RtfToText(std::string_view rtf) { return Read(rtf, false); }

std::string RtfToHtml(std::string_view rtf) { return Read(rtf, true); }

bool LooksLikeRtf(std::string_view text) { return text.starts_with("{\\rtf"); }

}  // namespace tw
