// The visitors' e-mail window in the running kiosk: the rules, the form that shows them
// and what they ask of the kiosk (log, error dialog, keyboard, browser, busy bar).
#pragma once

#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kiosk/email/rules/email_window.h"
#include "kiosk/email/rules/email_window_rules.h"
#include "platform/button_sound.h"

class QRect;

namespace tw {

class EmailForm;

class KioskEmailWindow : public EmailWindow, private EmailWindowHost {
 public:
  struct Parts {
    std::function<void(std::string_view)> write_log;
    std::function<void(const std::string&)> show_error;  // modal
    std::function<bool(const std::string&)> ask;         // modal, true when confirmed
    std::function<bool()> keyboard_shown;
    std::function<void()> toggle_keyboard;
    std::function<void(bool)> shown;                             // the browser makes way, or comes back
    std::function<void(int)> busy_meter;                         // percent; -1 hides the bar
    std::function<void(std::function<void()>)> guarded;          // runs a press, catching what escapes
    std::function<void(const std::vector<std::string>&)> print;  // the lines, on the default printer
    // The tool bar's previous/next message buttons: shown with the window, enabled as the
    // list allows.
    std::function<void(bool shown, bool previous, bool next)> message_steps;
  };

  KioskEmailWindow(const EmailWindowConfig& config, const MailServerSettings& server, bool debug, double screen_scale,
                   ButtonSoundPlayer* sounds, Parts parts);
  ~KioskEmailWindow() override;

  // EmailWindow
  bool IsVisible() const override;
  void Hide() override;
  void Open(int mode, const std::string& address) override;
  void PrintText() override;
  void SelectMessage(int step) override;
  void TakeFocus() override;

  // The idle return: nothing stays for the next visitor.
  void ClearVisitor();
  void Place(const QRect& bounds);
  bool Busy() const { return rules_.View().busy; }
  // The main loop's busy meter (percent; -1 hides it): while mail moves, the meter is the
  // window's and the loop's calls are dropped.
  void MainLoopMeter(int percent);
  EmailForm& form() { return *form_; }
  EmailWindowRules& rules() { return rules_; }

 private:
  // EmailWindowHost
  void WriteLog(std::string_view text) override { parts_.write_log(text); }
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& question) override { return parts_.ask(question); }
  bool KeyboardShown() const override { return parts_.keyboard_shown(); }
  void ToggleKeyboard() override { parts_.toggle_keyboard(); }
  void WindowShown(bool shown) override;
  void BusyChanged(bool busy) override;
  void PumpMessages() override;

  // Runs a press or edit on the rules, then draws the result.
  void Forward(const std::function<void()>& action);
  void Render();

  Parts parts_;
  EmailWindowRules rules_;
  std::unique_ptr<EmailForm> form_;
  QTimer busy_timer_;
  int busy_counter_ = 0;
};

}  // namespace tw
