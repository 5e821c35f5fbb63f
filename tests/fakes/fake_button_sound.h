// Records the sounds that would have played.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/button_sound.h"

namespace tw::test {

class FakeButtonSound : public ButtonSoundPlayer {
 public:
  void PlayButtonSound(ButtonSound sound, const std::string& custom_wave) override {
    played.emplace_back(sound, custom_wave);
  }
  std::vector<std::pair<ButtonSound, std::string>> played;
};

}  // namespace tw::test
