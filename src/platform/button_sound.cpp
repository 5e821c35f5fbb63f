#include "platform/button_sound.h"

namespace tw {

ButtonSound ButtonSoundFromNumber(int number) {
  if (number < 0 || number > 7) return ButtonSound::kNone;
  return static_cast<ButtonSound>(number);
}

std::optional<std::string_view> SoundThemeEvent(ButtonSound sound) {
  switch (sound) {
    case ButtonSound::kMachine: return "bell";
    case ButtonSound::kAsterisk: return "dialog-information";
    case ButtonSound::kExclamation: return "dialog-warning";
    case ButtonSound::kCritical: return "dialog-error";
    case ButtonSound::kQuestion: return "dialog-question";
    case ButtonSound::kDefault: return "message";
    case ButtonSound::kNone:
    case ButtonSound::kCustom: break;
  }
  return std::nullopt;
}

}  // namespace tw
