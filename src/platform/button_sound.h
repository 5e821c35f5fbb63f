// The click sounds of buttons and keys.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The sound sources, numbered as in the configuration file.
enum class ButtonSound {
  kNone = 0,
  kMachine = 1,  // the simple beep
  kAsterisk = 2,
  kExclamation = 3,
  kCritical = 4,
  kQuestion = 5,
  kDefault = 6,
  kCustom = 7,  // a wave file, played to its end before the call returns
};

// The source of a configuration number; numbers outside 0..7 play nothing.
ButtonSound ButtonSoundFromNumber(int number);

// The name of the desktop sound-theme event for a source, if it has one.
std::optional<std::string_view> SoundThemeEvent(ButtonSound sound);

class ButtonSoundPlayer {
 public:
  virtual ~ButtonSoundPlayer() = default;
  // Plays the source; kCustom plays the wave file and returns when it has ended.
  // Sounds are a courtesy: a failure to play is not an error.
  virtual void PlayButtonSound(ButtonSound sound, const std::string& custom_wave) = 0;
};

}  // namespace tw
