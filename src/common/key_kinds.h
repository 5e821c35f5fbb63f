// The kinds that describe an on-screen key: how its legends are placed, what it does
// when clicked and which colour family it is painted in. Their numeric values are the
// ones stored in the language file.
#pragma once

namespace tw {

// How the legends sit on a key (the language file stores the number).
enum class KeyLayout { klNormal = 0, klLetter = 1, klDouble = 2, klQuad = 3, klLetterPlus = 4 };

// What a click does beyond typing: modifier keys invert their latch.
enum class KeyType { ktNormal, ktShift, ktAlt, ktCtrl, ktAltGr };

// Light keys type characters; dark keys are function and modifier keys.
enum class KeyColour { kcLight, kcDark };

}  // namespace tw
