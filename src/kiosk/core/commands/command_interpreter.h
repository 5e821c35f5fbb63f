// Command URLs from the operator's pages ("tw-command:START?" + the command password)
// and the protocol filter every navigation passes.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include "common/addresses/command_url.h"
#include "common/system/local_time.h"
#include "kiosk/email/rules/email_window.h"
#include "kiosk/core/commands/kiosk_buttons.h"

namespace tw {

class Clock;
class KeyboardFrame;
class KioskRequests;
class ProgramLauncher;
struct KioskConfig;

class CommandInterpreter {
 public:
  // Feedback commands taken in any 60 seconds; more are refused, so that a page cannot
  // fill the disk or the log mail.
  static constexpr std::size_t kFeedbackPerMinute = 10;

  // What a command reaches and reads: the kiosk's requests (the log), its settings, the
  // keyboard's state, the time and the folder feedback files are written to.
  CommandInterpreter(KioskRequests& kiosk, const KioskConfig& config, const KeyboardFrame& keyboard, const Clock& clock,
                     std::string feedback_dir);

  void SetButtons(KioskButtons* buttons) { buttons_ = buttons; }
  void SetLauncher(ProgramLauncher* launcher) { launcher_ = launcher; }
  // The kiosk's e-mail window, which "mailto" links open.
  void SetEmailWindow(EmailWindow* email) { email_ = email; }

  // The embedded browser's check before every navigation of the page and its frames:
  // blocked protocols and command words cancel it, "mailto" opens the e-mail window.
  void BeforeNavigate(const std::string& url, bool& cancel);
  // The external browser's path: an address with one of the protocols the kiosk keeps
  // from the browser, handed over instead of loaded. Only "tw-command" makes a command
  // (any word, "CLOSE" too); "mailto" opens the e-mail window when allowed; the rest is
  // logged as blocked.
  void ExternalRequest(const std::string& url);
  // Carries out a command URL once it is known to be one.
  void HandleCommandURL(const CommandURL& url);
  // Ends the browser for "CLOSE" (it is started again); unset, or false for a browser
  // that is never ended, "CLOSE" is no command.
  std::function<bool()> close_browser;

 private:
  void Execute(const std::string& arguments);
  void Feedback(const std::string& arguments);
  // The command words that need the password; false for a word that is none of them.
  bool PerformWord(const std::string& upper_command);
  void Click(KioskButton button);

  KioskRequests& kiosk_;
  const KioskConfig& config_;
  const KeyboardFrame& keyboard_;
  const Clock& clock_;
  std::string feedback_dir_;
  KioskButtons* buttons_ = nullptr;
  EmailWindow* email_ = nullptr;
  ProgramLauncher* launcher_ = nullptr;
  std::deque<LocalTime> feedback_times_;  // of the feedback taken in the last minute
  bool feedback_refused_ = false;         // since the last one taken
};

}  // namespace tw
