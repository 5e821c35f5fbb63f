// Button sounds through the desktop sound theme (libcanberra); wave files through
// the same, played to their end before PlayButtonSound returns.
#pragma once

#include <chrono>

#include "platform/button_sound.h"

struct ca_context;

namespace tw {

class CanberraButtonSound : public ButtonSoundPlayer {
 public:
  CanberraButtonSound();
  ~CanberraButtonSound() override;
  CanberraButtonSound(const CanberraButtonSound&) = delete;
  CanberraButtonSound& operator=(const CanberraButtonSound&) = delete;

  void PlayButtonSound(ButtonSound sound, const std::string& custom_wave) override;

  // Whether the last call played something (false: no sound device, missing file...).
  bool LastPlayed() const { return last_played_; }
  // A wave file never holds the kiosk longer than this.
  void SetMaximumWait(std::chrono::milliseconds wait) { maximum_wait_ = wait; }

 private:
  ca_context* context_ = nullptr;
  bool last_played_ = false;
  std::chrono::milliseconds maximum_wait_{30000};
};

}  // namespace tw
