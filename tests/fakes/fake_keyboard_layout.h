// A keyboard layout for tests: the US layout's printable ASCII characters, each
// typed by a layout key named after its unshifted character; more can be added.
#pragma once

#include <map>
#include <optional>
#include <string_view>

#include "common/keyboard/key_script.h"

namespace tw::test {

class FakeKeyboardLayout : public KeyboardLayout {
 public:
  FakeKeyboardLayout() {
    constexpr std::string_view kPlain = "abcdefghijklmnopqrstuvwxyz1234567890-=[];'`\\,./ ";
    constexpr std::string_view kShifted = "ABCDEFGHIJKLMNOPQRSTUVWXYZ!@#$%^&*()_+{}:\"~|<>? ";
    for (std::size_t i = 0; i < kPlain.size(); ++i) {
      Key key{static_cast<std::uint32_t>(kPlain[i]), true};
      characters_[static_cast<char32_t>(kShifted[i])] = {key, true};
      characters_[static_cast<char32_t>(kPlain[i])] = {key, false};
    }
  }

  void Add(char32_t character, CharacterKey key) { characters_[character] = key; }
  void Remove(char32_t character) { characters_.erase(character); }

  std::optional<CharacterKey> MapCharacter(char32_t character) const override {
    auto it = characters_.find(character);
    if (it == characters_.end()) return std::nullopt;
    return it->second;
  }

 private:
  std::map<char32_t, CharacterKey> characters_;
};

}  // namespace tw::test
