// Rich-text help files: any input is read to its end; the HTML never holds a tag but
// "<b>", "<i>", their ends and "<br>", and the text is valid UTF-8 with no control
// characters but line ends and tabs.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/texts/rtf_reader.h"

namespace {

bool OnlyOurTags(const std::string& html) {
  for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    const std::string rest = html.substr(at, 5);
    if (!(rest.starts_with("<b>") || rest.starts_with("<i>") || rest.starts_with("</b>") || rest.starts_with("</i>") ||
          rest.starts_with("<br>"))) {
      return false;
    }
  }
  return true;
}

bool ValidUtf8WithoutControls(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    int more = 0;
    if (c < 0x80) {
      if (c < 0x20 && c != '\n' && c != '\t') return false;
    } else if ((c & 0xE0) == 0xC0) {
      more = 1;
    } else if ((c & 0xF0) == 0xE0) {
      more = 2;
    } else if ((c & 0xF8) == 0xF0) {
      more = 3;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(more) >= text.size() && more > 0) return false;
    for (int k = 1; k <= more; ++k) {
      if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80) return false;
    }
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string rtf(reinterpret_cast<const char*>(data), size);
  const std::string text = tw::RtfToText(rtf);
  if (!ValidUtf8WithoutControls(text)) __builtin_trap();
  const std::string html = tw::RtfToHtml(rtf);
  if (!OnlyOurTags(html) || !ValidUtf8WithoutControls(html)) __builtin_trap();
  return 0;
}
