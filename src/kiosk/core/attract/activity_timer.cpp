#include "kiosk/core/attract/activity_timer.h"

#include <sys/stat.h>

#include <climits>

#include "common/config/idle_warning.h"
#include "common/texts/log_texts.h"
#include "kiosk/core/kiosk_controller.h"

namespace tw {
namespace {

// Stands in until the windows exist: the mouse never moves and nothing is shown.
class NoFrame : public AttractFrame {
 public:
  CursorPoint CursorPos() const override { return {}; }
  void ShowIdleCover(bool) override {}
  void StartVideo() override {}
  void StopVideo() override {}
  void HideEmailWindow() override {}
  void ResetKeyboardPage() override {}
  void AdvanceBanner() override {}
  void EndVisitorSession() override {}
  void ShowIdleWarning(int) override {}
  void HideIdleWarning() override {}
};

constexpr NavigationReason kTimedStart = NavigationReason::kTimedStart;
constexpr NavigationReason kTimedCarousel = NavigationReason::kTimedCarousel;
constexpr NavigationReason kAutomaticReturn = NavigationReason::kAutomaticReturnToStart;

// The idle time at which the visitor's page is first taken away: the start page, the
// carousel (when it has pages) or the video, whichever comes first (0: none is set).
int FirstTimedAction(const KioskConfig& config) {
  const AttractSettings& a = config.attract;
  return FirstIdleTime({a.time_start, a.carousel_urls.empty() ? 0 : a.time_carousel, a.time_video});
}

}  // namespace

ActivityTimer::ActivityTimer(KioskController& controller, const ExitPassword& exit_password)
    : controller_(controller), exit_password_(exit_password) {}

AttractFrame* ActivityTimer::frame() const {
  static NoFrame no_frame;
  return frame_ ? frame_ : &no_frame;
}

void ActivityTimer::Tick() {
  const KioskConfig& config = controller_.settings().kiosk;

  // Only a move along both axes counts: a pointer that jitters along one edge does not.
  const CursorPoint position = frame()->CursorPos();
  const bool moved = position_known_ && position.x != last_position_.x && position.y != last_position_.y;
  if (!position_known_) last_position_ = position;
  position_known_ = true;
  if (!active_mode_ && (moved || !controller_.browser_status().attached)) {
    if (config.attract.time_carousel != 0 && idle_count_ > config.attract.time_carousel && config.attract.go_to_start) {
      ReturnToStart(kAutomaticReturn);
    }
    last_position_ = position;
    if (moved) {
      VisitorActivity();
    } else {
      ResetIdleCount();
    }
  }
  if (!idle_mode_) ++idle_count_;
  UpdateIdleWarning();

  frame()->ShowDiagnostics(idle_count_, exit_password_.ExpectedLetter(config.password));

  // A count of 0 (reset while idle mode holds it) is no idle time: a time of 0 never fires.
  const int count = idle_count_;
  if (count > 0 && count == config.attract.time_start && !start_fired_) TimedStart();
  if (!config.attract.carousel_urls.empty() && count > 0 && count == next_carousel_tick_ &&
      count != carousel_fired_at_) {
    CarouselStep();
  }
  if (count > 0 && count == config.attract.time_video && !video_fired_) StartVideo();
  if (!idle_mode_) frame()->AdvanceBanner();
}

void ActivityTimer::ResetIdleCount() {
  idle_count_ = 0;
  next_carousel_tick_ = controller_.settings().kiosk.attract.time_carousel;
  carousel_index_ = 0;
  carousel_running_ = false;
  start_fired_ = false;
  video_fired_ = false;
  carousel_fired_at_ = 0;
}

void ActivityTimer::VisitorActivity() {
  visitor_present_ = true;
  if (warning_shown_) {
    HideIdleWarning();
    controller_.WriteLog(log_text::kIdleWarningAnswered);
  }
  ResetIdleCount();
}

void ActivityTimer::UpdateIdleWarning() {
  const KioskConfig& config = controller_.settings().kiosk;
  const int first = FirstTimedAction(config);
  const int warning = config.attract.idle_warning_seconds;
  const bool due = visitor_present_ && !idle_mode_ && warning > 0 && first > 0 &&
                   idle_count_ >= IdleWarningStart(first, warning) && idle_count_ < first;
  if (!due) {
    if (warning_shown_) HideIdleWarning();
    return;
  }
  if (!warning_shown_) {
    warning_shown_ = true;
    controller_.WriteLog(log_text::kIdleWarningShown);
  }
  frame()->ShowIdleWarning(first - idle_count_);
}

void ActivityTimer::HideIdleWarning() {
  warning_shown_ = false;
  frame()->HideIdleWarning();
}

void ActivityTimer::TimedStart() {
  start_fired_ = true;
  if (video_playing_) StopVideo();
  ReturnToStart(kTimedStart);
}

void ActivityTimer::ReturnToStart(NavigationReason reason) {
  visitor_present_ = false;
  if (warning_shown_) HideIdleWarning();
  if (controller_.keyboard().shown() && buttons_ != nullptr) buttons_->Click(KioskButton::kKeyboard);
  frame()->HideEmailWindow();
  frame()->ResetKeyboardPage();
  frame()->EndVisitorSession();
  controller_.WriteLog(log_text::kVisitorSessionCleared);
  controller_.GoToURL(controller_.settings().kiosk.start_url, reason);
}

void ActivityTimer::CarouselStep() {
  const KioskConfig& config = controller_.settings().kiosk;
  carousel_running_ = true;
  carousel_fired_at_ = idle_count_;
  const auto index = static_cast<std::size_t>(carousel_index_);
  if (index >= config.attract.carousel_urls.size() || index >= config.attract.carousel_times.size()) return;
  const long long next = static_cast<long long>(next_carousel_tick_) + config.attract.carousel_times[index];
  next_carousel_tick_ = static_cast<int>(next > INT_MAX ? INT_MAX : (next < INT_MIN ? INT_MIN : next));
  // While the video plays the carousel goes on without showing its pages.
  if (!video_playing_) controller_.GoToURL(config.attract.carousel_urls[index], kTimedCarousel);
  carousel_index_ = static_cast<int>((index + 1) % config.attract.carousel_urls.size());
}

void ActivityTimer::StartVideo() {
  video_fired_ = true;
  if (controller_.settings().kiosk.log_switches.log_video_start) controller_.WriteLog(log_text::kStartingVideo);
  video_playing_ = true;
  frame()->StartVideo();
  ReturnToStart(kAutomaticReturn);
}

void ActivityTimer::StopVideo() {
  frame()->StopVideo();
  controller_.WriteLog(log_text::kStoppingVideo);
  video_playing_ = false;
}

void ActivityTimer::IdleModeOn() {
  if (idle_mode_) return;
  idle_mode_ = true;
  if (warning_shown_) HideIdleWarning();
  frame()->ShowIdleCover(true);
  controller_.WriteLog(log_text::kIdleModeOn);
}

void ActivityTimer::IdleModeOff() {
  if (!idle_mode_) return;
  idle_mode_ = false;
  frame()->ShowIdleCover(false);
  controller_.WriteLog(log_text::kIdleModeOff);
}

void ActivityTimer::ActiveModeOn() {
  if (active_mode_) return;
  active_mode_ = true;
  controller_.WriteLog(log_text::kActiveModeOn);
}

void ActivityTimer::ActiveModeOff() {
  if (!active_mode_) return;
  active_mode_ = false;
  controller_.WriteLog(log_text::kActiveModeOff);
}

bool ActivityTimer::MarkerExists(const char* name) const {
  struct stat st {};
  return ::stat(controller_.paths().ProgramFile(name).c_str(), &st) == 0;
}

void ActivityTimer::CheckIdleFile() {
  if (MarkerExists("idle.txt")) {
    IdleModeOn();
    idle_file_seen_ = true;
  } else if (idle_file_seen_) {
    IdleModeOff();
    idle_file_seen_ = false;
  }
}

void ActivityTimer::CheckActiveFile() {
  if (MarkerExists("active.txt")) {
    ActiveModeOn();
    active_file_seen_ = true;
  } else if (active_file_seen_) {
    ActiveModeOff();
    active_file_seen_ = false;
  }
}

}  // namespace tw
