#include "kiosk/core/commands/command_interpreter.h"

#include "common/texts/ascii_case.h"

#include <cctype>

#include "common/system/command_line.h"
#include "common/config/profile_file.h"
#include "common/texts/log_texts.h"
#include "kiosk/core/log/feedback_file.h"
#include "kiosk/core/frame/keyboard_frame.h"
#include "kiosk/core/kiosk_requests.h"
#include "kiosk/core/settings/kiosk_config.h"
#include "platform/clock.h"
#include "kiosk/core/commands/program_launcher.h"

namespace tw {

CommandInterpreter::CommandInterpreter(KioskRequests& kiosk, const KioskConfig& config, const KeyboardFrame& keyboard,
                                       const Clock& clock, std::string feedback_dir)
    : kiosk_(kiosk), config_(config), keyboard_(keyboard), clock_(clock), feedback_dir_(std::move(feedback_dir)) {}

void CommandInterpreter::BeforeNavigate(const std::string& url, bool& cancel) {
  const KioskConfig& config = config_;
  const CommandURL parts = SplitCommandURL(url);
  // The e-mail window opens; the browser's own mail handling is stopped only by the block list.
  if (parts.protocol == "mailto" && config.mail_to) {
    kiosk_.WriteLog(log_text::kMailToRequested);
    if (email_ != nullptr) email_->Open(1, parts.rest);
  }
  const std::string protocol = AsciiUpper(parts.protocol);
  for (const std::string& blocked : config.block_list) {
    if (AsciiUpper(blocked) == protocol) {
      cancel = true;
      if (config.log_switches.log_protocol) {
        kiosk_.WriteLog(log_text::kBlocked + parts.protocol + " Protocol - " + parts.rest);
      }
      break;
    }
  }
  if (IsEmbeddedCommandWord(parts.command)) {
    cancel = true;
    HandleCommandURL(parts);
  }
}

void CommandInterpreter::ExternalRequest(const std::string& url) {
  const KioskConfig& config = config_;
  const CommandURL parts = SplitCommandURL(url);
  if (parts.protocol == "tw-command") {
    HandleCommandURL(parts);
  } else if (parts.protocol == "mailto" && config.mail_to) {
    kiosk_.WriteLog(log_text::kMailToRequested);
    if (email_ != nullptr) email_->Open(1, parts.rest);
  } else if (config.log_switches.log_protocol) {
    kiosk_.WriteLog(log_text::kBlocked + parts.protocol + " Protocol - " + parts.rest);
  }
}

void CommandInterpreter::HandleCommandURL(const CommandURL& url) {
  const KioskConfig& config = config_;
  if (!config.commands.enabled) {
    kiosk_.WriteLog(log_text::kCommandDisabled + url.command + " - " + url.arguments);
    return;
  }
  const std::string command = AsciiUpper(url.command);
  if (command == "EXECUTE") return Execute(url.arguments);
  if (command == "FEEDBACK") return Feedback(url.arguments);
  if (AsciiUpper(config.commands.password) != AsciiUpper(url.arguments)) {
    kiosk_.WriteLog(log_text::kWrongCommandPassword + url.command + " - " + url.arguments);
    return;
  }
  kiosk_.WriteLog(log_text::kCommand + url.command);
  if (!PerformWord(command)) kiosk_.WriteLog(log_text::kUnknownCommand + url.command);
}

void CommandInterpreter::Execute(const std::string& arguments) {
  if (!config_.commands.execute_enabled) {
    kiosk_.WriteLog(log_text::kExecuteDisabled);
    return;
  }
  const auto hash = arguments.find('#');
  const std::string number_text = arguments.substr(0, hash);
  const std::string parameters = hash == std::string::npos ? std::string() : arguments.substr(hash + 1);
  const std::optional<std::int32_t> number = ParseProfileInteger(number_text);
  if (!number) {
    kiosk_.WriteLog(log_text::kCommandError + number_text + " is not a valid number");
    return;
  }
  const std::vector<std::string>& programs = config_.commands.programs;
  if (*number < 1 || static_cast<std::size_t>(*number) > programs.size()) {
    kiosk_.WriteLog(log_text::kCommandError + number_text + " is not a valid program number");
    return;
  }
  // The page chooses only plain arguments: an option could turn the operator's program
  // against the kiosk (a different profile, a shell, a file to overwrite).
  for (const std::string& part : SplitCommandLine(parameters)) {
    if (part.starts_with('-')) {
      kiosk_.WriteLog(log_text::kCommandError + part + " is not an allowed parameter");
      return;
    }
  }
  const std::string command_line = programs[static_cast<std::size_t>(*number - 1)] + " " + parameters;
  if (launcher_ != nullptr) {
    launcher_->RunProgram(command_line);
  } else {
    kiosk_.WriteLog(log_text::kFailedToStartProgram + command_line);
  }
}

void CommandInterpreter::Feedback(const std::string& arguments) {
  const LocalTime now = clock_.Now();
  // A clock set back forgets the times after it.
  std::erase_if(feedback_times_, [now](LocalTime t) { return t > now || now - t >= 60; });
  if (feedback_times_.size() >= kFeedbackPerMinute) {
    if (!feedback_refused_) {
      kiosk_.WriteLog(log_text::kFeedbackRefused + std::to_string(kFeedbackPerMinute) + " a minute");
    }
    feedback_refused_ = true;
    return;
  }
  feedback_refused_ = false;
  feedback_times_.push_back(now);
  WriteFeedbackFile(feedback_dir_, now, arguments);
}

bool CommandInterpreter::PerformWord(const std::string& command) {
  static const struct {
    const char* word;
    KioskButton button;
  } kButtons[] = {
      {"START", KioskButton::kStart},     {"BACK", KioskButton::kBack},       {"FORWARD", KioskButton::kForward},
      {"HELP", KioskButton::kHelp},       {"PRINT", KioskButton::kPrint},     {"EMAIL", KioskButton::kEmail},
      {"BANNER", KioskButton::kBanner},   {"LOGO", KioskButton::kLogo},       {"CUSTOM1", KioskButton::kCustom1},
      {"CUSTOM2", KioskButton::kCustom2}, {"CUSTOM3", KioskButton::kCustom3}, {"CUSTOM4", KioskButton::kCustom4},
      {"CUSTOM5", KioskButton::kCustom5}, {"CUSTOM6", KioskButton::kCustom6}, {"CUSTOM7", KioskButton::kCustom7},
      {"CUSTOM8", KioskButton::kCustom8}, {"CUSTOM9", KioskButton::kCustom9}, {"CUSTOM10", KioskButton::kCustom10},
  };
  for (const auto& entry : kButtons) {
    if (command == entry.word) {
      Click(entry.button);
      return true;
    }
  }
  if (command == "CLOSE" && close_browser && close_browser()) return true;
  const bool shown = keyboard_.shown();
  if ((command == "SHOW" && !shown) || (command == "HIDE" && shown)) {
    Click(KioskButton::kKeyboard);
    return true;
  }
  return false;
}

void CommandInterpreter::Click(KioskButton button) {
  if (buttons_ != nullptr) buttons_->Click(button);
}

}  // namespace tw
