#include "kiosk/core/kiosk_controller.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "kiosk/core/screen_scale.h"

namespace tw {
namespace {

std::string WithTrailingSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string QueuedFormOfURL(const std::string& url, int browser_kind) {
  if (browser_kind != 1) return url;
  const auto colon = url.find(':');
  if (colon == std::string::npos || Upper(url.substr(0, colon)) != "TW-COMMAND") return url;
  return "http:" + url.substr(colon + 1);
}

BrowserChoice ChooseBrowser(int configured_kind, bool external_available) {
  if (configured_kind == 1) return {1, ""};
  if (configured_kind == 0) {
    if (external_available) return {0, ""};
    return {1, "External Browser Not Available - Embedded Browser Used"};
  }
  return {1, "Browser Kind " + std::to_string(configured_kind) + " Not Known - Embedded Browser Used"};
}

KioskController::KioskController(std::string program_dir, const Clock& clock, KioskHooks& hooks)
    : program_dir_(WithTrailingSlash(std::move(program_dir))), clock_(clock), hooks_(hooks) {
  paths_.log_dir = program_dir_ + "log/";
  paths_.feedback_dir = program_dir_ + "feedback/";
  paths_.sent_dir = paths_.feedback_dir + "sent/";
}

KioskController::~KioskController() = default;

void KioskController::CreateDirectories() {
  for (const std::string& dir : {paths_.feedback_dir, paths_.sent_dir, paths_.log_dir}) {
    if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
      hooks_.ShowError("Unable to create folder " + dir + ": " + std::strerror(errno));
    }
  }
}

void KioskController::Create(int screen_width) {
  const ProfileFile ini(ProgramFile("Tarnwick.ini"));
  KioskConfigResult read = ReadKioskConfig(ini);
  config_ = std::move(read.config);
  // No external browser is built into the kiosk yet: a kiosk without settings, whose
  // default asks for one, still shows its pages.
  const BrowserChoice browser = ChooseBrowser(config_.browser_kind, false);
  config_.browser_kind = browser.kind;

  const std::optional<double> scale = ScreenScaleForMode(config_.screen_mode, screen_width);
  // An unknown mode would scale every window to nothing: lay out for the real screen instead.
  screen_scale_ = scale.value_or(AutomaticScreenScale(screen_width));

  log_mail_ = LogMail{};
  log_mail_.from_address = config_.email_from_address;
  log_mail_.from_name = config_.email_from_name;
  log_mail_.server = config_.email_server;
  log_mail_.recipients = config_.log_recipients;

  if (config_.key_block) hooks_.SetSystemKeyLock(true);
  if (config_.hide_task_bar) hooks_.SetTaskBarHidden(true);

  state_ = KioskState{};
  state_.next_carousel_tick = config_.time_carousel;
  setting_errors_.clear();
  setting_errors_unshown_.clear();
  setting_errors_shown_ = false;

  CreateDirectories();
  LogSettings settings;
  settings.save_log = config_.save_log;
  settings.email_log = config_.email_log;
  settings.email_feedback = config_.email_feedback;
  settings.log_hour = config_.log_hour;
  settings.log_minute = config_.log_minute;
  log_ = std::make_unique<ActivityLog>(paths_, settings, clock_, log_mail_,
                                       [this](const std::string& text) { hooks_.ShowError(text); });
  log_->Open();

  if (!scale) {
    WriteLog("ScreenMode \"" + config_.screen_mode + "\" is not known - automatic scale used");
  }
  ReportSettingErrors(read.errors);
  if (!browser.reason.empty()) WriteLog(browser.reason);
}

void KioskController::ReportSettingErrors(const SettingErrors& errors) {
  for (const SettingError& error : errors.list()) {
    // A window read again reports the same values again: once is enough.
    if (std::find(setting_errors_.begin(), setting_errors_.end(), error) != setting_errors_.end()) continue;
    setting_errors_.push_back(error);
    setting_errors_unshown_.push_back(error);
    WriteLog(error.Text());
  }
  if (setting_errors_shown_) ShowSettingErrors();
}

void KioskController::ShowSettingErrors() {
  setting_errors_shown_ = true;
  if (setting_errors_unshown_.empty()) return;
  const std::string summary = SettingErrorsSummary(setting_errors_unshown_);
  setting_errors_unshown_.clear();
  AppException(summary);
}

void KioskController::WriteLog(std::string_view text) {
  if (log_) log_->WriteLog(text);
}

void KioskController::GoToURL(const std::string& url, int reason) {
  state_.caret_scroll_request = false;
  if (IsNavigationLogged(reason, config_.log_switches)) {
    WriteLog(std::string(NavigationReasonText(reason)) + " - " + url);
  }
  navigation_queue_.push_back(QueuedFormOfURL(url, config_.browser_kind));
}

std::optional<std::string> KioskController::TakeQueuedURL() {
  if (navigation_queue_.empty()) return std::nullopt;
  std::string url = std::move(navigation_queue_.front());
  navigation_queue_.pop_front();
  return url;
}

void KioskController::TimerTimer() {
  if (!state_.started) {
    state_.started = true;
    // Only the two browser kinds run the loop; ChooseBrowser leaves no other.
    state_.loop_running = config_.browser_kind == 0 || config_.browser_kind == 1;
    ShowSettingErrors();
  }
  activity_.Tick();
}

bool KioskController::RunPass() {
  if (state_.exit_requested) return false;
  log_->CheckLogActionTime();
  SendPendingLogMail();
  activity_.CheckMarkerFiles();
  return !state_.exit_requested;
}

void KioskController::SendPendingLogMail() {
  if (!log_mail_.pending || !state_.browser_ready || log_mail_sender_ == nullptr) return;
  // Cleared only after a successful send; the attachments too, so feedback goes out once.
  log_mail_delivery_.Run(log_mail_, *log_mail_sender_, clock_.Now(), [this](std::string_view text) { WriteLog(text); });
}

void KioskController::CheckExitPassword(int tag) {
  if (!config_.password_on) return;
  const std::string& password = config_.password;
  const auto position = static_cast<std::size_t>(state_.password_position);
  // A wrong button starts the sequence again; it is not tried as a new first letter.
  if (position < 1 || position > password.size() ||
      static_cast<unsigned char>(password[position - 1]) - 64 != tag) {
    state_.password_position = 1;
    return;
  }
  ++state_.password_position;
  if (static_cast<std::size_t>(state_.password_position) > password.size()) {
    state_.password_position = 1;
    WriteLog("Exit Password Entered");
    RequestExit();
  }
}

BrowserPlacement KioskController::PlaceBrowser(const PanelSizes& panels) const {
  return ComputeBrowserPlacement(panels, state_.keyboard_shown, screen_scale_);
}

void KioskController::FormClose() {
  if (closed_) return;
  closed_ = true;
  WriteLog("Tarnwick Closing Down");
  if (log_) log_->Close();
  if (config_.hide_task_bar) hooks_.SetTaskBarHidden(false);
  hooks_.SetSystemKeyLock(false);
}

void KioskController::AppException(const std::string& message) { hooks_.ShowError("Error - " + message); }

void KioskController::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& e) {
    AppException(e.what());
  } catch (...) {
    AppException("unknown error");
  }
}

}  // namespace tw
