// Parses arbitrary bytes as a KEYBOARD value in both reading modes. When a value
// parses and none of its text fields holds a double quote or a comma, composing the
// entry and parsing it again must give the same entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/keyboard/keyboard_entry.h"
#include "common/config/profile_file.h"

namespace {

bool Plain(std::string_view text) { return text.find_first_of("\",") == std::string_view::npos; }

void Check(std::string_view value, tw::VisibleField rule) {
  tw::KeyboardEntry start;
  start.caption = "start";
  start.key_layout = tw::KeyLayout::kDouble;
  start.font_size = 10;
  tw::KeyboardEntry parsed;
  try {
    parsed = tw::ParseKeyboardValue(value, start, rule);
  } catch (const tw::ConversionError&) {
    return;
  }
  if (value.empty() && !(parsed == start)) std::abort();
  if (parsed.font_size < 1) std::abort();
  const int layout = static_cast<int>(parsed.key_layout);
  if (layout < 0 || layout > 4) std::abort();
  if (!Plain(parsed.caption) || !Plain(parsed.caption2) || !Plain(parsed.caption3) || !Plain(parsed.caption4) ||
      !Plain(parsed.send_string) || !Plain(parsed.font_name)) {
    return;
  }
  // Composed numbers are plain decimals, so this parse cannot throw.
  const tw::KeyboardEntry again = tw::ParseKeyboardValue(tw::ComposeKeyboardValue(parsed), start, rule);
  if (!(again == parsed)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view value(reinterpret_cast<const char*>(data), size);
  Check(value, tw::VisibleField::kExactlyOne);
  Check(value, tw::VisibleField::kStrictInteger);
  return 0;
}
