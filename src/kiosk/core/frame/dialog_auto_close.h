// When the kiosk's error dialog closes by itself: on the tenth one-second tick after
// it was shown, so that an unattended kiosk never waits on a dialog.
#pragma once

namespace tw {

class DialogAutoClose {
 public:
  static constexpr int kTicks = 10;

  void Start() {
    ticks_ = 0;
    running_ = true;
  }
  void Stop() {
    ticks_ = 0;
    running_ = false;
  }
  // One second; true when the dialog is to close now.
  bool Tick() {
    if (!running_) return false;
    return ++ticks_ == kTicks;
  }
  int ticks() const { return ticks_; }
  bool running() const { return running_; }

 private:
  int ticks_ = 0;
  bool running_ = false;
};

}  // namespace tw
