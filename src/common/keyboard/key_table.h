// The built-in table of on-screen keys: every key value with its captions, key
// script, type, colour and caption layout.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The key values in their stored order (the order is part of the keyboard files).
enum class KeyId {
  Custom,
  A,
  B,
  C,
  D,
  E,
  F,
  G,
  H,
  I,
  J,
  K,
  L,
  M,
  N,
  O,
  P,
  Q,
  R,
  S,
  T,
  U,
  V,
  W,
  X,
  Y,
  Z,
  One,
  Two,
  Three,
  Four,
  Five,
  Six,
  Seven,
  Eight,
  Nine,
  Zero,
  Quote,
  Minus,
  Equalls,
  SquareOpen,
  SquareClose,
  SemiColon,
  Apostrophe,
  Hash,
  BackSlash,
  Comma,
  FullStop,
  Slash,
  SpaceBar,
  Shift,
  Alt,
  Ctrl,
  CapsLock,
  Tab,
  Esc,
  Return,
  Backspace,
  PrintScreen,
  ScrollLock,
  Pause,
  Insert,
  Delete,
  Home,
  EndKey,
  PageUp,
  PageDown,
  Up,
  Down,
  Left,
  Right,
  NumLock,
  NumSlash,
  NumAsterisk,
  NumMinus,
  NumPlus,
  Enter,
  NumPoint,
  NumOne,
  NumTwo,
  NumThree,
  NumFour,
  NumFive,
  NumSix,
  NumSeven,
  NumEight,
  NumNine,
  NumZero,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  Cut,
  Copy,
  Paste,
};
inline constexpr std::size_t kKeyCount = 103;
static_assert(static_cast<std::size_t>(KeyId::Paste) + 1 == kKeyCount);

// Modifier keys latch until the next ordinary key.
enum class KeyType { kNormal, kShift, kAlt, kCtrl, kAltGr };
enum class KeyColour { kLight, kDark };
// The numbers are those of the keyboard layout files.
// The numbers of the layouts are the ones a language file stores.
enum class KeyLayout { kNormal, kLetter, kDouble, kQuad, kLetterPlus };
static_assert(static_cast<int>(KeyLayout::kLetterPlus) == 4);
enum class KeySound { kNone, kMachine, kAsterisk, kExclamation, kCritical, kQuestion, kDefault, kCustom };

struct KeyDefinition {
  std::string caption;
  std::string caption2;
  std::string send_string;  // key script typed by a click
  KeyType type = KeyType::kNormal;
  KeyColour colour = KeyColour::kLight;
  KeyLayout layout = KeyLayout::kNormal;
};

// The table row of a key (captions are UTF-8).
const KeyDefinition& KeyDefinitionFor(KeyId key);
// The identifier of a key ("Custom", "A", "One", "EndKey", "F12", ...).
std::string_view KeyName(KeyId key);
// The key of an identifier, compared without regard to case.
std::optional<KeyId> KeyFromName(std::string_view name);
// Key value from its position in the order above, if in range.
std::optional<KeyId> KeyFromIndex(int index);

}  // namespace tw
