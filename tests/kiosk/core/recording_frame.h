// Attract frame and buttons that remember every call; the mouse is where the test puts it.
#pragma once

#include <string>
#include <vector>

#include "kiosk/core/attract/attract_frame.h"
#include "kiosk/core/commands/kiosk_buttons.h"

namespace tw::test {

class RecordingFrame : public AttractFrame {
 public:
  CursorPoint CursorPos() const override { return cursor; }
  void ShowIdleCover(bool on) override { calls.push_back(on ? "cover on" : "cover off"); }
  void StartVideo() override { calls.push_back("video start"); }
  void StopVideo() override { calls.push_back("video stop"); }
  void HideEmailWindow() override { calls.push_back("email hidden"); }
  void ResetKeyboardPage() override { calls.push_back("keyboard reset"); }
  void AdvanceBanner() override { ++banner_steps; }
  void EndVisitorSession() override { calls.push_back("session ended"); }
  // The countdown shown, one entry a second; 0 when the warning went.
  void ShowIdleWarning(int seconds_left) override { warnings.push_back(seconds_left); }
  void HideIdleWarning() override { warnings.push_back(0); }
  void ShowDiagnostics(int idle_count, int expected_code) override {
    shown_count = idle_count;
    shown_code = expected_code;
  }

  CursorPoint cursor;
  std::vector<std::string> calls;
  std::vector<int> warnings;
  int banner_steps = 0;
  int shown_count = -1;
  int shown_code = -1;
};

class RecordingButtons : public KioskButtons {
 public:
  void Click(KioskButton button) override { clicks.push_back(ButtonTag(button)); }
  std::vector<int> clicks;
};

}  // namespace tw::test
