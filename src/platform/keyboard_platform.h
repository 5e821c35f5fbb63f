// The services an on-screen keyboard works with, handed over together.
#pragma once

#include "platform/button_sound.h"
#include "platform/desktop_windows.h"
#include "platform/key_injector.h"
#include "platform/lock_states.h"

namespace tw {

// Borrowed pointers; their owner keeps them alive as long as the keyboard.
struct KeyboardPlatform {
  KeyInjector* keys = nullptr;
  DesktopWindows* windows = nullptr;
  LockStateSource* locks = nullptr;
  ButtonSoundPlayer* sounds = nullptr;  // may be null: no key sounds
};

}  // namespace tw
