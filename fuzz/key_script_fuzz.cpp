// Interprets arbitrary bytes as a key script. Whatever the text, every key that
// goes down comes up again, no key goes down twice in a row, and a repeat count
// never makes the output grow beyond its limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string_view>

#include "common/keyboard/key_script.h"

namespace {

// Printable ASCII on one key each, capitals with Shift; "#" needs the third level.
class Layout : public tw::KeyboardLayout {
 public:
  std::optional<tw::CharacterKey> MapCharacter(char32_t c) const override {
    if (c < 0x20 || c > 0x7E) return std::nullopt;
    bool upper = c >= 'A' && c <= 'Z';
    tw::CharacterKey key{{static_cast<std::uint32_t>(upper ? c - 'A' + 'a' : c), true}, upper};
    key.alt_gr = c == '#';
    return key;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view script(reinterpret_cast<const char*>(data), size);
  tw::KeyScriptResult result = tw::InterpretKeyScript(script, Layout());
  std::map<std::uint64_t, int> down;
  std::size_t keys = 0;
  for (const tw::KeyScriptStep& step : result.steps) {
    if (step.kind != tw::KeyScriptStep::Kind::kKey) continue;
    ++keys;
    std::uint64_t id = step.event.key.code | (step.event.key.layout ? 1ull << 32 : 0);
    int& count = down[id];
    count += step.event.down ? 1 : -1;
    if (count < 0 || count > 1) std::abort();
  }
  for (const auto& [id, count] : down) {
    if (count != 0) std::abort();
  }
  // Each input character yields at most one repeat-limited run of a few events.
  if (keys > (size + 1) * (2 * tw::kMaxKeyRepeat * 4 + 16)) std::abort();
  return 0;
}
