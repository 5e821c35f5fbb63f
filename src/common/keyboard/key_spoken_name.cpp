#include "common/keyboard/key_spoken_name.h"

#include "common/texts/ascii_case.h"

namespace tw {
namespace {

struct SpokenKey {
  std::string_view script_name;  // as key scripts write it, upper case
  std::string_view spoken;
};

constexpr SpokenKey kSpokenKeys[] = {
    {"BKSP", "Backspace"},
    {"BS", "Backspace"},
    {"BACKSPACE", "Backspace"},
    {"BREAK", "Pause"},
    {"CAPSLOCK", "Caps Lock"},
    {"CLEAR", "Clear"},
    {"DEL", "Delete"},
    {"DELETE", "Delete"},
    {"DOWN", "Down arrow"},
    {"END", "End"},
    {"ENTER", "Enter"},
    {"ESC", "Escape"},
    {"ESCAPE", "Escape"},
    {"HELP", "Help"},
    {"HOME", "Home"},
    {"INS", "Insert"},
    {"LEFT", "Left arrow"},
    {"NUMLOCK", "Num Lock"},
    {"PGDN", "Page Down"},
    {"PGUP", "Page Up"},
    {"PRTSC", "Print Screen"},
    {"RIGHT", "Right arrow"},
    {"SCROLLLOCK", "Scroll Lock"},
    {"TAB", "Tab"},
    {"UP", "Up arrow"},
    {"ALTGR", "Alt Gr"},
};

// Characters that mean something in a key script rather than typing themselves.
bool IsScriptSign(char c) {
  return c == '+' || c == '^' || c == '%' || c == '~' || c == '{' || c == '}' || c == '(' || c == ')';
}

std::string NamedKey(std::string_view name) {
  const std::string upper = AsciiUpper(name);
  for (const SpokenKey& key : kSpokenKeys) {
    if (key.script_name == upper) return std::string(key.spoken);
  }
  const bool function_key = upper.size() >= 2 && upper.size() <= 3 && upper[0] == 'F' &&
                            upper.find_first_not_of("0123456789", 1) == std::string::npos;
  if (function_key) return upper;
  return {};
}

}  // namespace

std::string SpokenKeyName(KeyType type, std::string_view send_string, std::string_view captions) {
  switch (type) {
    case KeyType::kShift: return "Shift";
    case KeyType::kAlt: return "Alt";
    case KeyType::kCtrl: return "Control";
    case KeyType::kAltGr: return "Alt Gr";
    case KeyType::kNormal: break;
  }
  if (send_string == " ") return "Space";
  if (send_string == "~") return "Enter";
  // "{+}", "{{}" and "{}}" type the one character between the braces.
  if (send_string.size() == 3 && send_string.front() == '{' && send_string.back() == '}') {
    return send_string[1] == ' ' ? "Space" : std::string(1, send_string[1]);
  }
  if (send_string.size() > 2 && send_string.front() == '{' && send_string.back() == '}' &&
      send_string.find('}') == send_string.size() - 1) {
    const std::string_view name = send_string.substr(1, send_string.size() - 2);
    if (std::string spoken = NamedKey(name); !spoken.empty()) return spoken;
  }
  bool plain = !send_string.empty();
  for (char c : send_string) plain = plain && !IsScriptSign(c);
  if (plain) return std::string(send_string);
  if (!captions.empty()) return std::string(captions);
  return "Key";
}

}  // namespace tw
