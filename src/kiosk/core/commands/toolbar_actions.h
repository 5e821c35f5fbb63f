// What each tool-bar button does when pressed, in order. The window calls Press; the
// kiosk's parts are reached through ToolbarHost.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "kiosk/core/commands/navigation_reason.h"
#include "kiosk/core/frame/toolbar_layout.h"

namespace tw {

class ToolbarHost {
 public:
  virtual ~ToolbarHost() = default;
  virtual void GoToURL(const std::string& url, NavigationReason reason) = 0;
  virtual void WriteLog(std::string_view text) = 0;
  virtual void CheckExitPassword(int tag) = 0;
  // An error that ended a press; the kiosk goes on.
  virtual void ReportError(const std::string& message) = 0;
  // The keyboard pages' Exit buttons: the kiosk ends.
  virtual void RequestExit() = 0;
  // An operation on the browser's page, whichever browser runs.
  virtual void RunOnPage(PageOperation operation) = 0;
  // The e-mail window.
  virtual bool EmailVisible() const = 0;
  virtual void HideEmail() = 0;
  virtual void PrintEmailText() = 0;
  virtual void OpenEmailWindow() = 0;
  virtual void SelectEmailMessage(int step) = 0;  // -1 previous, +1 next
  virtual void FocusEmailWindow() = 0;
  // Gives the keyboard focus back to the browser window (by browser kind).
  virtual void ReturnFocusToBrowserWindow() = 0;
  // Raises or lowers the keyboard page; returns true when it is now shown.
  virtual bool ToggleKeyboard() = 0;
  // Switches the high-contrast look of the frame and the page; returns true when it is now on.
  virtual bool ToggleHighContrast() = 0;
};

struct ToolbarSettings {
  std::string start_url;
  std::string help_url;
  // The pages of the buttons that have one (ButtonAction::kOwnPage), by button id.
  std::array<std::string, kToolbarButtonCount> own_urls;
  bool log_urls = true;
};

class ToolbarActions {
 public:
  ToolbarActions(ToolbarHost& host, ToolbarSettings settings) : host_(host), settings_(std::move(settings)) {}

  // What a visitor's press (or a command's) does: the action, then the focus back to
  // where the visitor types; an error is reported and the kiosk goes on.
  void Click(ToolbarButtonId button);

  // Runs the button's action; every press ends with (Email: starts with) the exit
  // password step for the button's tag.
  void Press(ToolbarButtonId button);

  // A press on the panel or a key: the focus goes back to where the visitor types,
  // the e-mail window while it is open, else the browser.
  void ReturnFocus();

  // A keyboard page's Exit button.
  void ExitPressed() { host_.RequestExit(); }
  // What the keys' typing reports: a message of the key-script notation is logged, an
  // error reported.
  void KeyMessage(const std::string& caption, const std::string& text) { host_.WriteLog(caption + " - " + text); }
  void KeyError(const std::string& text) { host_.ReportError(text); }

  const ToolbarSettings& settings() const { return settings_; }

 private:
  void Log(std::string_view text);
  void PressOnPage(const PagePress& press);

  ToolbarHost& host_;
  ToolbarSettings settings_;
};

}  // namespace tw
