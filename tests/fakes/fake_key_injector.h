// Records what would have been typed; characters map through a FakeKeyboardLayout.
#pragma once

#include <string>
#include <vector>

#include "fakes/fake_keyboard_layout.h"
#include "platform/key_injector.h"

namespace tw::test {

class FakeKeyInjector : public KeyInjector {
 public:
  std::optional<CharacterKey> MapCharacter(char32_t character) const override { return layout.MapCharacter(character); }
  void SendKey(const KeyEvent& event) override {
    events.push_back(event);
    log.push_back((event.down ? "+" : "-") + Name(event.key));
  }
  void ToggleNumLock() override {
    ++num_lock_toggles;
    log.push_back("NumLock");
  }
  void Flush() override { ++flushes; }

  // The text the recorded events type on a US layout (letters, digits, shifted
  // letters, Enter as "\n", Backspace removes the last character).
  std::string TypedText() const {
    std::string text;
    bool shift = false;
    for (const KeyEvent& e : events) {
      if (!e.key.layout) {
        if (e.key.code == vk::kShift) shift = e.down;
        if (e.down && e.key.code == vk::kReturn) text += '\n';
        if (e.down && e.key.code == vk::kBack && !text.empty()) text.pop_back();
        continue;
      }
      if (!e.down) continue;
      char c = static_cast<char>(e.key.code);
      text += shift && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
  }

  static std::string Name(const Key& key) {
    if (key.layout) return std::string(1, static_cast<char>(key.code));
    switch (key.code) {
      case vk::kShift: return "Shift";
      case vk::kControl: return "Ctrl";
      case vk::kMenu: return "Alt";
      case vk::kAltGr: return "AltGr";
      case vk::kReturn: return "Enter";
      default: return "vk" + std::to_string(key.code);
    }
  }

  FakeKeyboardLayout layout;
  std::vector<KeyEvent> events;
  std::vector<std::string> log;  // "+Shift", "+a", "-a", "-Shift", "NumLock"
  int num_lock_toggles = 0;
  int flushes = 0;
};

}  // namespace tw::test
