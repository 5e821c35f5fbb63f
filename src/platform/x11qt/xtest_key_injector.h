// Typing through the XTest extension into the window that has the focus, with
// characters looked up in the active XKB layout and group.
#pragma once

#include <X11/XKBlib.h>

#include <chrono>

#include "platform/key_injector.h"
#include "platform/x11qt/x11_display.h"

namespace tw {

class XTestKeyInjector : public KeyInjector {
 public:
  explicit XTestKeyInjector(::Display* display);
  ~XTestKeyInjector() override;
  XTestKeyInjector(const XTestKeyInjector&) = delete;
  XTestKeyInjector& operator=(const XTestKeyInjector&) = delete;

  // False when the server has no XTest or XKB; nothing is typed then.
  bool Available() const { return available_; }

  std::optional<CharacterKey> MapCharacter(char32_t character) const override;
  void SendKey(const KeyEvent& event) override;
  void ToggleNumLock() override;
  void Flush() override;

  // The X key code that a key event presses, 0 when the keyboard has no such key.
  KeyCode KeyCodeOf(const Key& key) const;

 private:
  XkbDescPtr Keymap() const;

  ::Display* display_;
  bool available_ = false;
  // The keymap is fetched again when it is older than this, so a layout switch is
  // seen by the next key script without a round trip for every character.
  mutable XkbDescPtr keymap_ = nullptr;
  mutable std::chrono::steady_clock::time_point keymap_time_;
};

}  // namespace tw
