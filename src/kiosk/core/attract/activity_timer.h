// How long nobody has used the kiosk, and what happens after set idle times: the start
// page again, a carousel of pages, the attract video. Idle mode (the kiosk steps back
// behind a full-screen cover) and active mode (mouse movement and left clicks ignored)
// are switched from outside: marker files, other programs, the program launcher.
#pragma once

#include <string>

#include "kiosk/core/attract/attract_frame.h"
#include "kiosk/core/commands/kiosk_buttons.h"
#include "kiosk/core/commands/navigation_reason.h"

namespace tw {

class ExitPassword;
class KioskController;

class ActivityTimer {
 public:
  // The exit password is read for the diagnostics, which show the letter it expects next.
  ActivityTimer(KioskController& controller, const ExitPassword& exit_password);

  void SetFrame(AttractFrame* frame) { frame_ = frame; }
  void SetButtons(KioskButtons* buttons) { buttons_ = buttons; }

  // One second of the activity timer (everything after entering the browser loop).
  void Tick();
  // A new idle period begins (the kiosk starts, or has no browser to count for).
  void ResetIdleCount();
  // The visitor touched, typed or moved the pointer: a new idle period begins and an
  // idle warning on the screen is answered.
  void VisitorActivity();

  void IdleModeOn();
  void IdleModeOff();
  void ActiveModeOn();
  void ActiveModeOff();
  // "idle.txt" and "active.txt" in the program folder switch the modes while they exist;
  // a mode switched on otherwise is switched off by a file only if that file was seen.
  void CheckIdleFile();
  void CheckActiveFile();
  void CheckMarkerFiles() {
    CheckIdleFile();
    CheckActiveFile();
  }

  // Stops the attract video (a click on it, or the start page time).
  void StopVideo();

  bool idle_mode() const { return idle_mode_; }
  bool active_mode() const { return active_mode_; }
  bool video_playing() const { return video_playing_; }
  bool carousel_running() const { return carousel_running_; }
  bool idle_warning_shown() const { return warning_shown_; }
  // Seconds nobody has used the kiosk; the carousel's next time and page.
  int idle_count() const { return idle_count_; }
  int next_carousel_tick() const { return next_carousel_tick_; }
  int carousel_index() const { return carousel_index_; }

 private:
  AttractFrame* frame() const;
  void TimedStart();
  void CarouselStep();
  void StartVideo();
  // The idle warning's countdown, from its time up to the first timed action.
  void UpdateIdleWarning();
  void HideIdleWarning();
  // The kiosk goes back to its start page for the next visitor: what the last one left
  // behind (keyboard page, e-mail window, browser session) is cleared first.
  void ReturnToStart(NavigationReason reason);
  bool MarkerExists(const char* name) const;

  KioskController& controller_;
  const ExitPassword& exit_password_;
  AttractFrame* frame_ = nullptr;
  KioskButtons* buttons_ = nullptr;
  CursorPoint last_position_;
  bool position_known_ = false;  // the first position is where the pointer was, not a move
  // Someone used the kiosk since it last returned to its start page: only then is there
  // a visitor to warn.
  bool visitor_present_ = false;
  bool warning_shown_ = false;
  int idle_count_ = 0;
  int next_carousel_tick_ = 0;
  int carousel_index_ = 0;
  bool carousel_running_ = false;
  bool video_playing_ = false;
  bool idle_mode_ = false;
  bool active_mode_ = false;
  bool idle_file_seen_ = false;
  bool active_file_seen_ = false;
  // Each timed action fires at most once per idle period, also while idle mode holds the
  // count still on its time.
  bool start_fired_ = false;
  bool video_fired_ = false;
  int carousel_fired_at_ = 0;
};

}  // namespace tw
