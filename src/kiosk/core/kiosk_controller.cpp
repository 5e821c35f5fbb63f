#include "kiosk/core/kiosk_controller.h"

#include "common/texts/log_texts.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "common/geometry/screen_scale.h"

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
    : clock_(clock), hooks_(hooks) {
  paths_.program_dir = WithTrailingSlash(std::move(program_dir));
  paths_.log.log_dir = paths_.ProgramFile("log/");
  paths_.log.feedback_dir = paths_.ProgramFile("feedback/");
  paths_.log.sent_dir = paths_.log.feedback_dir + "sent/";
}

KioskController::~KioskController() = default;

void KioskController::CreateDirectories() {
  for (const std::string& dir : {paths_.log.feedback_dir, paths_.log.sent_dir, paths_.log.log_dir}) {
    if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
      ReportError("Unable to create folder " + dir + ": " + std::strerror(errno));
    }
  }
}

void KioskController::Create(int screen_width) {
  LoadedKioskSettings read =
      LoadKioskSettings(ProfileFile(paths_.ProgramFile("Tarnwick.ini")), ProfileFile(paths_.ProgramFile("TWLang.ini")));
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

  LogMail& mail = log_mail_.mail();
  mail = LogMail{};
  mail.from_address = config.log_mail.from_address;
  mail.from_name = config.log_mail.from_name;
  mail.server = config.log_mail.server;
  mail.recipients = config.log_mail.recipients;

  if (config.key_block) hooks_.SetSystemKeyLock(true);
  if (config.hide_task_bar) hooks_.SetTaskBarHidden(true);

  keyboard_.emplace(screen_scale_, settings_.right.CustomHasURL());
  loop_running_ = exit_requested_ = false;
  browser_status_.SetLost();
  exit_password_.Reset();
  activity_.ResetIdleCount();
  setting_errors_.clear();
  setting_errors_unshown_.clear();
  setting_errors_shown_ = false;

  CreateDirectories();
  journal_.reset();
  if (config.log.log_to_journal) journal_ = std::make_unique<SystemJournal>();
  log_ = std::make_unique<ActivityLog>(paths_.log, config.log, clock_, log_mail_.mail(),
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
  if (journal_ && journal_->Available()) journal_->Send(text, {{"TARNWICK_DIR", paths_.program_dir}});
}

void KioskController::GoToURL(const std::string& url, NavigationReason reason) {
  if (keyboard_) keyboard_->SetCaretScroll(false);
  const int code = static_cast<int>(reason);
  if (IsNavigationLogged(code, settings_.kiosk.log_switches)) {
    WriteLog(std::string(NavigationReasonText(code)) + " - " + url);
  }
  navigation_.Push(url);
  hooks_.PassDue();
}

void KioskController::RequestExit() {
  exit_requested_ = true;
  hooks_.PassDue();
}

void KioskController::EnterLoop() {
  if (loop_running_) return;
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
  // Sent once the browser is ready (the kiosk is showing its start page).
  if (browser_status_.ready) log_mail_.Send(clock_.Now(), [this](std::string_view text) { WriteLog(text); });
  activity_.CheckMarkerFiles();
  return !exit_requested_;
}

bool KioskController::LogMailDue() const { return browser_status_.ready && log_mail_.AttemptDue(clock_.Now()); }

void KioskController::CheckExitPassword(int tag) {
  if (!settings_.kiosk.password_on || !exit_password_.Press(settings_.kiosk.password, tag)) return;
  WriteLog(log_text::kExitPasswordEntered);
  RequestExit();
}

void KioskController::Shutdown() {
  if (closed_) return;
  closed_ = true;
  WriteLog(log_text::kClosingDown);
  if (log_) log_->Close();
  if (settings_.kiosk.hide_task_bar) hooks_.SetTaskBarHidden(false);
  hooks_.SetSystemKeyLock(false);
  hooks_.SetBrowserKeyLock(false);
}

bool KioskController::LockBrowserKeys() { return hooks_.SetBrowserKeyLock(true); }

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
