// The keys of the on-screen keyboard as built in: their names (which are also the
// keys of the language file's KEYBOARD section), the page and place of each, and the
// description a key has before the language file changes it. The kiosk's keyboard
// page and the Setup Manager's copy of it are both built from this one table.
//
// Page "QWERT" is a typewriter layout (68 keys), page "ABCDE" an alphabetical one
// (59 keys). Names keep the numbering the keyboard was first laid out with, which is
// why they are not in the order the keys stand on a page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "common/keyboard/key_table.h"
#include "common/keyboard/keyboard_section.h"

namespace tw {

enum class KeyboardPage { kQwert = 0, kAbcde = 1 };

inline constexpr std::size_t kQwertKeyCount = 68;
inline constexpr std::size_t kAbcdeKeyCount = 59;
inline constexpr std::size_t kKeyboardKeyCount = kQwertKeyCount + kAbcdeKeyCount;

// The font of every built-in legend; the window layer maps it to an installed font.
inline constexpr std::string_view kKeyFontName = "MS Sans Serif";

struct KeyboardKey {
  std::string_view name;
  KeyboardPage page;
  int left;  // design pixels on the page (800 x 215)
  int top;
  int width;
  int height;
  KeyType key_type;
  KeyColour key_colour;
  std::string_view caption;
  std::string_view caption2;
  std::string_view send_string;  // empty for modifier and page-switch keys
  KeyLayout key_layout;
  bool visible;  // the Alt Gr keys are hidden until the language file shows them
};

// All keys in creation order: page "QWERT" first, then page "ABCDE".
std::span<const KeyboardKey> KeyboardKeys();
std::span<const KeyboardKey> KeyboardKeys(KeyboardPage page);
// The key of that name (compared without regard to case), or nullptr.
const KeyboardKey* FindKeyboardKey(std::string_view name);

// The font size a key takes from its layout: small 8 for klNormal, medium 10 for
// klDouble and klQuad, large 16 for klLetter and klLetterPlus.
std::int32_t DefaultKeyFontSize(KeyLayout layout);

// The built-in description of a key, in the form the language file overrides.
KeyboardEntry BuiltInEntry(const KeyboardKey& key);
// Every key, in creation order, with its built-in description: the starting point
// for ReadKeyboardEntries.
std::vector<NamedKeyboardEntry> BuiltInKeyboard();

}  // namespace tw
