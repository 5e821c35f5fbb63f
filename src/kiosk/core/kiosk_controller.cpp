#include "kiosk/core/kiosk_controller.h"

#include "common/texts/log_texts.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "kiosk/core/settings/screen_scale.h"

namespace tw {
namespace {

std::string WithTrailingSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace

BrowserChoice ChooseBrowser(int configured, const std::function<bool(int engine)>& can_run) {
  if (configured == kFallbackBrowserEngine) return {configured, ""};
  if (std::find(kBrowserEngineNumbers.begin(), kBrowserEngineNumbers.end(), configured) !=
      kBrowserEngineNumbers.end()) {
    if (can_run(configured)) return {configured, ""};
    return {kFallbackBrowserEngine, log_text::kEmbeddedBrowserUsed};
  }
  return {kFallbackBrowserEngine, "Browser Kind " + std::to_string(configured) + " Not Known - Embedded Browser Used"};
}

void KioskController::UseEmbeddedBrowser(const std::string& why) {
  browser_status_.engine = kFallbackBrowserEngine;
  hooks_.SetBrowserKeyLock(false);
  WriteLog(log_text::kEmbeddedBrowserUsed);
  WriteLog(log_text::kExternalBrowserProblem + why);
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
      ReportError("Unable to create folder " + dir + ": " + std::strerror(errno));
    }
  }
}

void KioskController::Create(int screen_width) {
  LoadedKioskSettings read =
      LoadKioskSettings(ProfileFile(ProgramFile("Tarnwick.ini")), ProfileFile(ProgramFile("TWLang.ini")));
  settings_ = std::move(read.settings);
  KioskConfig& config = settings_.kiosk;
  // A browser that cannot run gives way to the fallback at once; one that can but then
  // fails does so when it has failed (UseEmbeddedBrowser).
  const BrowserChoice browser =
      ChooseBrowser(config.browser.kind, [&](int engine) { return hooks_.BrowserCanRun(engine, config); });
  browser_status_.engine = browser.engine;

  const std::optional<double> scale = ScreenScaleForMode(config.screen_mode, screen_width);
  // An unknown mode would scale every window to nothing: lay out for the real screen instead.
  screen_scale_ = scale.value_or(AutomaticScreenScale(screen_width));

  log_mail_ = LogMail{};
  log_mail_.from_address = config.log_mail.from_address;
  log_mail_.from_name = config.log_mail.from_name;
  log_mail_.server = config.log_mail.server;
  log_mail_.recipients = config.log_mail.recipients;

  if (config.key_block) hooks_.SetSystemKeyLock(true);
  if (config.hide_task_bar) hooks_.SetTaskBarHidden(true);

  keyboard_.emplace(screen_scale_, settings_.right.CustomHasURL());
  started_ = loop_running_ = exit_requested_ = false;
  browser_status_.SetLost();
  password_position_ = 1;
  activity_.ResetIdleCount();
  setting_errors_.clear();
  setting_errors_unshown_.clear();
  setting_errors_shown_ = false;

  CreateDirectories();
  journal_.reset();
  if (config.log.log_to_journal) journal_ = std::make_unique<SystemJournal>();
  log_ = std::make_unique<ActivityLog>(paths_, config.log, clock_, log_mail_,
                                       [this](const std::string& text) { hooks_.ShowError(text); });
  log_->Open();

  if (!scale) {
    WriteLog("ScreenMode \"" + config.screen_mode + "\" is not known - automatic scale used");
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
  if (journal_ && journal_->Available()) journal_->Send(text, {{"TARNWICK_DIR", program_dir_}});
}

void KioskController::GoToURL(const std::string& url, NavigationReason reason) {
  if (keyboard_) keyboard_->SetCaretScroll(false);
  const int code = static_cast<int>(reason);
  if (IsNavigationLogged(code, config().log_switches)) {
    WriteLog(std::string(NavigationReasonText(code)) + " - " + url);
  }
  navigation_queue_.push_back(url);
  hooks_.PassDue();
}

void KioskController::RequestExit() {
  exit_requested_ = true;
  hooks_.PassDue();
}

std::optional<std::string> KioskController::TakeQueuedURL() {
  if (navigation_queue_.empty()) return std::nullopt;
  std::string url = std::move(navigation_queue_.front());
  navigation_queue_.pop_front();
  return url;
}

void KioskController::EnterLoop() {
  if (started_) return;
  started_ = true;
  loop_running_ = true;
  ShowSettingErrors();
}

void KioskController::SecondTick() {
  EnterLoop();
  activity_.Tick();
}

bool KioskController::RunPass() {
  if (exit_requested_) return false;
  log_->CheckLogActionTime();
  SendPendingLogMail();
  activity_.CheckMarkerFiles();
  return !exit_requested_;
}

bool KioskController::LogMailDue() const {
  return browser_status_.ready && log_mail_sender_ != nullptr && log_mail_delivery_.AttemptDue(log_mail_, clock_.Now());
}

void KioskController::SendPendingLogMail() {
  if (!log_mail_.pending || !browser_status_.ready || log_mail_sender_ == nullptr) return;
  // Cleared only after a successful send; the attachments too, so feedback goes out once.
  log_mail_delivery_.Run(log_mail_, *log_mail_sender_, clock_.Now(), [this](std::string_view text) { WriteLog(text); });
}

void KioskController::CheckExitPassword(int tag) {
  if (!config().password_on) return;
  const std::string& password = config().password;
  const auto position = static_cast<std::size_t>(password_position_);
  // A wrong button starts the sequence again; it is not tried as a new first letter.
  if (position < 1 || position > password.size() || static_cast<unsigned char>(password[position - 1]) - 64 != tag) {
    password_position_ = 1;
    return;
  }
  ++password_position_;
  if (static_cast<std::size_t>(password_position_) > password.size()) {
    password_position_ = 1;
    WriteLog(log_text::kExitPasswordEntered);
    RequestExit();
  }
}

void KioskController::Shutdown() {
  if (closed_) return;
  closed_ = true;
  WriteLog(log_text::kClosingDown);
  if (log_) log_->Close();
  if (config().hide_task_bar) hooks_.SetTaskBarHidden(false);
  hooks_.SetSystemKeyLock(false);
  hooks_.SetBrowserKeyLock(false);
}

bool KioskController::LockBrowserKeys() { return hooks_.SetBrowserKeyLock(true); }

void KioskController::AppException(const std::string& message) { ReportError(log_text::kError + message); }

void KioskController::ReportError(const std::string& text) {
  // Written once, here; the view only shows it.
  WriteLog(text);
  hooks_.ShowError(text);
}

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
