#include "common/keyboard/key_script.h"

#include "common/texts/ascii_case.h"

#include <algorithm>
#include <charconv>
#include <cctype>

namespace tw {
namespace {

struct NamedKey {
  std::string_view name;
  std::uint32_t code;
};

constexpr NamedKey kNamedKeys[] = {
    {"BKSP", vk::kBack},     {"BS", vk::kBack},           {"BACKSPACE", vk::kBack},
    {"BREAK", vk::kCancel},  {"CAPSLOCK", vk::kCapital},  {"CLEAR", vk::kClear},
    {"DEL", vk::kDelete},    {"DELETE", vk::kDelete},     {"DOWN", vk::kDown},
    {"END", vk::kEnd},       {"ENTER", vk::kReturn},      {"ESC", vk::kEscape},
    {"ESCAPE", vk::kEscape}, {"HELP", vk::kHelp},         {"HOME", vk::kHome},
    {"INS", vk::kInsert},    {"LEFT", vk::kLeft},         {"NUMLOCK", vk::kNumLock},
    {"PGDN", vk::kNext},     {"PGUP", vk::kPrior},        {"PRTSC", vk::kPrint},
    {"RIGHT", vk::kRight},   {"SCROLLLOCK", vk::kScroll}, {"TAB", vk::kTab},
    {"UP", vk::kUp},
};

// Number of continuation bytes after a UTF-8 lead byte, -1 for a byte that cannot
// start a character.
int ContinuationBytes(unsigned char lead) {
  if (lead < 0x80) return 0;
  if ((lead & 0xE0) == 0xC0) return 1;
  if ((lead & 0xF0) == 0xE0) return 2;
  if ((lead & 0xF8) == 0xF0) return 3;
  return -1;
}

// Decodes UTF-8; a malformed byte becomes U+FFFD, which no layout types.
std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const int extra = ContinuationBytes(lead);
    bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
    char32_t cp = extra <= 0 ? lead : lead & (0x7F >> (extra + 1));
    for (int k = 1; ok && k <= extra; ++k) {
      const unsigned char c = static_cast<unsigned char>(text[i + k]);
      ok = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(cp);
    i += 1 + static_cast<std::size_t>(extra);
  }
  return out;
}

std::string Narrow(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

class Interpreter {
 public:
  explicit Interpreter(const KeyboardLayout& layout) : layout_(layout) {}

  KeyScriptResult Run(std::u32string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
      char32_t c = text[i];
      switch (c) {
        case U'+':
          Hold(vk::kShift);
          ++i;
          break;
        case U'^':
          Hold(vk::kControl);
          ++i;
          break;
        case U'%':
          Hold(vk::kMenu);
          ++i;
          break;
        case U'(':
          group_ = true;
          ++i;
          break;
        case U')':
          group_ = false;
          ReleaseHeld();
          ++i;
          break;
        case U'~':
          Tap({vk::kReturn, false});
          AfterKey();
          ++i;
          break;
        case U'{':
          if (!Brace(text, i)) {
            ReleaseHeld();
            return std::move(result_);
          }
          break;
        default:
          TypeCharacter(c);
          AfterKey();
          ++i;
          break;
      }
    }
    ReleaseHeld();
    return std::move(result_);
  }

 private:
  // Handles "{...}" starting at text[i]; advances i past it. False stops the script.
  bool Brace(std::u32string_view text, std::size_t& i) {
    std::size_t pos = i + 1;
    if (pos >= text.size()) return NoClose();
    // The first character always belongs to the name, so "{{}" and "{}}" work.
    std::size_t name_start = pos++;
    while (pos < text.size() && text[pos] != U' ' && text[pos] != U'}') ++pos;
    std::u32string_view name = text.substr(name_start, pos - name_start);
    if (pos >= text.size()) return NoClose();
    int count = 1;
    if (text[pos] == U' ') {
      std::size_t count_start = ++pos;
      while (pos < text.size() && text[pos] != U'}') ++pos;
      if (pos >= text.size()) return NoClose();
      std::string count_text = Narrow(text.substr(count_start, pos - count_start));
      std::optional<int> parsed = ParseCount(count_text);
      if (!parsed) {
        result_.bad_count = count_text;
        return false;
      }
      count = std::min(*parsed, kMaxKeyRepeat);
    }
    i = pos + 1;  // past "}"
    if (IsAltGrHold(name)) {
      // A modifier, not a key: held for the next key (a count changes nothing).
      Hold(vk::kAltGr);
      return true;
    }
    if (name.size() == 1) {
      for (int n = 0; n < count; ++n) TypeCharacter(name[0]);
    } else if (std::optional<std::uint32_t> code =
                   name.size() <= kMaxKeyNameLength ? VirtualKeyOfName(Narrow(name)) : std::nullopt) {
      for (int n = 0; n < count; ++n) {
        if (*code == vk::kNumLock) {
          KeyScriptStep step;
          step.kind = KeyScriptStep::Kind::kToggleNumLock;
          result_.steps.push_back(step);
        } else {
          Tap({*code, false});
        }
      }
    } else {
      Message(kInvalidKeyName);
    }
    AfterKey();
    return true;
  }

  static bool IsAltGrHold(std::u32string_view name) {
    if (name.size() != kAltGrHoldName.size()) return false;
    for (std::size_t k = 0; k < name.size(); ++k) {
      const char32_t c = name[k] >= U'a' && name[k] <= U'z' ? name[k] - U'a' + U'A' : name[k];
      if (c != static_cast<char32_t>(kAltGrHoldName[k])) return false;
    }
    return true;
  }

  bool NoClose() {
    Message(kNoClose);
    return false;
  }

  // A decimal integer with an optional sign, as the integer conversion accepts it.
  static std::optional<int> ParseCount(const std::string& text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      return std::nullopt;
    }
    int value = 0;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
  }

  void TypeCharacter(char32_t c) {
    std::optional<CharacterKey> mapped = layout_.MapCharacter(c);
    if (!mapped) {
      Message(kInvalidCharacter);
      return;
    }
    // Press only the modifiers the character needs that are not already held.
    std::vector<std::uint32_t> pressed;
    auto need = [&](bool wanted, std::uint32_t code) {
      if (wanted && std::find(held_.begin(), held_.end(), code) == held_.end()) {
        Event({code, false}, true);
        pressed.push_back(code);
      }
    };
    need(mapped->shift, vk::kShift);
    need(mapped->ctrl, vk::kControl);
    need(mapped->alt, vk::kMenu);
    need(mapped->alt_gr, vk::kAltGr);
    Tap(mapped->key);
    for (auto it = pressed.rbegin(); it != pressed.rend(); ++it) Event({*it, false}, false);
  }

  void Hold(std::uint32_t code) {
    if (std::find(held_.begin(), held_.end(), code) != held_.end()) return;
    Event({code, false}, true);
    held_.push_back(code);
  }

  void ReleaseHeld() {
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) Event({*it, false}, false);
    held_.clear();
  }

  void AfterKey() {
    if (!group_) ReleaseHeld();
  }

  void Tap(Key key) {
    Event(key, true);
    Event(key, false);
  }

  void Event(Key key, bool down) {
    KeyScriptStep step;
    step.event = {key, down, !key.layout && IsExtendedKey(key.code)};
    result_.steps.push_back(step);
  }

  void Message(std::string_view text) {
    KeyScriptStep step;
    step.kind = KeyScriptStep::Kind::kMessage;
    step.message = text;
    result_.steps.push_back(std::move(step));
  }

  const KeyboardLayout& layout_;
  KeyScriptResult result_;
  std::vector<std::uint32_t> held_;
  bool group_ = false;
};

}  // namespace

std::optional<std::uint32_t> VirtualKeyOfName(std::string_view name) {
  const std::string upper = AsciiUpper(name);
  for (const NamedKey& key : kNamedKeys) {
    if (key.name == upper) return key.code;
  }
  if (upper.size() >= 2 && upper[0] == 'F') {
    int number = 0;
    auto [end, error] = std::from_chars(upper.data() + 1, upper.data() + upper.size(), number);
    if (error == std::errc() && end == upper.data() + upper.size() && upper[1] != '0' && number >= 1 && number <= 16) {
      return vk::kF1 + static_cast<std::uint32_t>(number - 1);
    }
  }
  return std::nullopt;
}

bool IsExtendedKey(std::uint32_t virtual_key) {
  return (virtual_key >= vk::kPrior && virtual_key <= vk::kDown) || virtual_key == vk::kInsert ||
         virtual_key == vk::kDelete;
}

KeyScriptResult InterpretKeyScript(std::string_view script, const KeyboardLayout& layout) {
  std::u32string text = DecodeUtf8(script);
  return Interpreter(layout).Run(text);
}

std::string AddLatchPrefixes(std::string_view script, KeyLatches& latches) {
  if (script.empty()) return std::string();
  // The prefix is built first and the script appended: outermost modifier first.
  std::string text;
  if (latches.alt_gr) {
    text += '{';
    text += kAltGrHoldName;
    text += '}';
  }
  if (latches.ctrl) text += '^';
  if (latches.alt) text += '%';
  if (latches.shift) text += '+';
  text.append(script);
  latches = KeyLatches{};
  return text;
}

}  // namespace tw
