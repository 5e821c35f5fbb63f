// What a screen reader says for a key of the on-screen keyboard: the text it types, the
// name of the key it presses ("Backspace", "Page Up"), or the modifier it latches.
#pragma once

#include <string>
#include <string_view>

#include "common/keyboard/key_table.h"

namespace tw {

// `captions` is what the key shows, for a key whose script is neither plain text nor one
// named key (a custom key typing a phrase, "Cut").
std::string SpokenKeyName(KeyType type, std::string_view send_string, std::string_view captions);

}  // namespace tw
