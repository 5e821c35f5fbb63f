#include "kiosk/core/commands/toolbar_actions.h"

#include <exception>

#include "common/texts/log_texts.h"
#include "kiosk/core/commands/navigation_reason.h"

namespace tw {

void ToolbarActions::Log(std::string_view text) {
  if (settings_.log_urls) host_.WriteLog(text);
}

void ToolbarActions::PressOnPage(const PagePress& press) {
  using E = WithEmailWindow;
  if (press.email_window == E::kPrintItsText && host_.EmailVisible()) {
    // The e-mail window prints its own text; it never falls back to the page.
    host_.PrintEmailText();
    return;
  }
  // The browser carries it out through its engine: no key typed into a window that may
  // not have the focus.
  host_.RunOnPage(press.operation);
  if (press.email_window == E::kHideAfter) host_.HideEmail();
}

void ToolbarActions::ReturnFocus() {
  if (host_.EmailVisible()) {
    host_.FocusEmailWindow();
  } else {
    host_.ReturnFocusToBrowserWindow();
  }
}

void ToolbarActions::Click(ToolbarButtonId button) {
  try {
    Press(button);
    // The e-mail window takes the focus itself; everything else hands it back.
    if (button != ToolbarButtonId::kEmail) ReturnFocus();
  } catch (const std::exception& e) {
    host_.ReportError(e.what());
  }
}

void ToolbarActions::Press(ToolbarButtonId button) {
  using A = ButtonAction;
  const ToolbarButtonInfo& info = ToolbarButton(button);
  const int tag = ButtonTag(info.object);
  if (!info.pressed_log.empty()) Log(info.pressed_log);
  // A press that changes the page leaves the e-mail window.
  const auto go_to = [&](const std::string& url, NavigationReason reason) {
    host_.GoToURL(url, reason);
    host_.HideEmail();
  };
  switch (info.action) {
    case A::kStartPage: go_to(settings_.start_url, NavigationReason::kStartButton); break;
    case A::kHelpPage: go_to(settings_.help_url, NavigationReason::kHelpButton); break;
    case A::kOwnPage: {
      const std::string& url = settings_.own_urls[static_cast<std::size_t>(button)];
      if (!url.empty()) go_to(url, NavigationReason::kCustomButton);
      break;
    }
    case A::kOnPage: PressOnPage(info.on_page.value()); break;
    case A::kEmail:
      host_.CheckExitPassword(tag);
      host_.OpenEmailWindow();
      return;
    case A::kKeyboard: {
      host_.ReturnFocusToBrowserWindow();
      const bool shown = host_.ToggleKeyboard();
      Log(shown ? log_text::kKeyboardShown : log_text::kKeyboardHidden);
      break;
    }
    case A::kHighContrast:
      Log(host_.ToggleHighContrast() ? log_text::kHighContrastOn : log_text::kHighContrastOff);
      break;
    case A::kPreviousMessage: host_.SelectEmailMessage(-1); break;
    case A::kNextMessage: host_.SelectEmailMessage(+1); break;
  }
  host_.CheckExitPassword(tag);
}

}  // namespace tw
