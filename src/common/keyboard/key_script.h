// The key-script notation of the on-screen keyboard: text in, key events out.
//
//   "+" "^" "%"   hold Shift, Ctrl, Alt down until the next key (or the end of a group)
//   "{ALTGR}"     hold the layout's third-level shift (Alt Gr) the same way
//   "(" ... ")"   a group: held modifiers stay down for every key inside
//   "~"           Enter
//   "{NAME}" "{NAME n}"  a named key (or a one-character name) n times
//   any other character  the key of the current layout that types it
//
// Problems in the text never leave a modifier held down: every exit from the
// interpreter releases what it pressed.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Virtual-key codes of the keys the notation can name. The platform maps them to
// its own keys.
namespace vk {
inline constexpr std::uint32_t kCancel = 3;  // Break
inline constexpr std::uint32_t kBack = 8;
inline constexpr std::uint32_t kTab = 9;
inline constexpr std::uint32_t kClear = 12;
inline constexpr std::uint32_t kReturn = 13;
inline constexpr std::uint32_t kShift = 16;
inline constexpr std::uint32_t kControl = 17;
inline constexpr std::uint32_t kMenu = 18;  // Alt
inline constexpr std::uint32_t kCapital = 20;
inline constexpr std::uint32_t kEscape = 27;
inline constexpr std::uint32_t kPrior = 33;
inline constexpr std::uint32_t kNext = 34;
inline constexpr std::uint32_t kEnd = 35;
inline constexpr std::uint32_t kHome = 36;
inline constexpr std::uint32_t kLeft = 37;
inline constexpr std::uint32_t kUp = 38;
inline constexpr std::uint32_t kRight = 39;
inline constexpr std::uint32_t kDown = 40;
inline constexpr std::uint32_t kPrint = 42;
inline constexpr std::uint32_t kInsert = 45;
inline constexpr std::uint32_t kDelete = 46;
inline constexpr std::uint32_t kHelp = 47;
inline constexpr std::uint32_t kF1 = 112;  // F1 .. F16 are 112 .. 127
inline constexpr std::uint32_t kNumLock = 144;
inline constexpr std::uint32_t kScroll = 145;
inline constexpr std::uint32_t kAltGr = 165;  // the third-level shift of a layout
}  // namespace vk

// A physical key: either a virtual-key code (above) or a key code that the keyboard
// layout handed out for a character.
struct Key {
  std::uint32_t code = 0;
  bool layout = false;
  friend bool operator==(const Key&, const Key&) = default;
};

struct KeyEvent {
  Key key;
  bool down = true;
  bool extended = false;  // the navigation keys of the extended block
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// How the current layout types one character.
struct CharacterKey {
  Key key;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool alt_gr = false;
};

// The keyboard layout in use: which key (with which modifiers) types a character.
class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;
  virtual std::optional<CharacterKey> MapCharacter(char32_t character) const = 0;
};

// The messages of the notation (shown with the caption kKeyScriptCaption).
inline constexpr std::string_view kKeyScriptCaption = "SendKeys";
inline constexpr std::string_view kInvalidKeyName = "Invalid Key Name";   // unknown {NAME}
inline constexpr std::string_view kInvalidCharacter = "Invalid KeyName";  // untypable character
inline constexpr std::string_view kNoClose = "No Close";                  // "{" without "}"

// The on-screen keyboard's own failures.
class EKeyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
inline constexpr std::string_view kUnableToActivate = "Unable to activate Program";

// Repeat counts above this are cut to it: a mistyped count must not type for hours.
inline constexpr int kMaxKeyRepeat = 1000;
// The name in braces that holds the third-level shift like "+" holds Shift.
inline constexpr std::string_view kAltGrHoldName = "ALTGR";
// Longest key name in braces.
inline constexpr std::size_t kMaxKeyNameLength = 20;

struct KeyScriptStep {
  enum class Kind { kKey, kToggleNumLock, kMessage };
  Kind kind = Kind::kKey;
  KeyEvent event;       // kKey
  std::string message;  // kMessage: one of the texts above
};

struct KeyScriptResult {
  std::vector<KeyScriptStep> steps;  // in the order they happen
  // Set when a repeat count was not a decimal integer: the steps stop there (with
  // held modifiers released) and the caller raises the conversion error.
  std::optional<std::string> bad_count;
};

// The virtual-key code of a key name of two or more characters (any case).
std::optional<std::uint32_t> VirtualKeyOfName(std::string_view name);
// Whether a virtual key is sent as an extended key.
bool IsExtendedKey(std::uint32_t virtual_key);

// Interprets a UTF-8 key script.
KeyScriptResult InterpretKeyScript(std::string_view script, const KeyboardLayout& layout);

// The modifier keys latched on the on-screen keyboard.
struct KeyLatches {
  bool shift = false;
  bool alt = false;
  bool ctrl = false;
  bool alt_gr = false;
  friend bool operator==(const KeyLatches&, const KeyLatches&) = default;
};

// Puts the prefixes of the latched modifiers in front of a key script and switches
// those latches off: Alt Gr holds the third-level shift ("{ALTGR}"), so the next key
// types what the layout puts on its third level. An empty script gets no prefix and
// leaves the latches alone.
std::string AddLatchPrefixes(std::string_view script, KeyLatches& latches);

}  // namespace tw
