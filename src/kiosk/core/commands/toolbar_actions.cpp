#include "kiosk/core/commands/toolbar_actions.h"

#include <exception>

#include "common/log_texts.h"
#include "kiosk/core/commands/navigation_reason.h"

namespace tw {

void ToolbarActions::Log(std::string_view text) {
  if (settings_.log_urls) host_.WriteLog(text);
}

void ToolbarActions::Print() {
  if (host_.EmailVisible()) {
    // The e-mail window prints its own text; it never falls back to the page.
    host_.PrintEmailText();
  } else {
    // The browser prints through its engine: no key typed into a window that may not
    // have the focus.
    host_.PrintPage();
  }
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
  using Id = ToolbarButtonId;
  const int tag = ButtonTag(ToolbarButton(button).object);
  switch (button) {
    case Id::kStart:
      host_.GoToURL(settings_.start_url, NavigationReason::kStartButton);
      host_.HideEmail();
      break;
    case Id::kHelp:
      host_.GoToURL(settings_.help_url, NavigationReason::kHelpButton);
      host_.HideEmail();
      break;
    case Id::kBack:
      Log(log_text::kBackButtonPressed);
      host_.GoBack();
      host_.HideEmail();
      break;
    case Id::kForward:
      Log(log_text::kForwardButtonPressed);
      host_.GoForward();
      host_.HideEmail();
      break;
    case Id::kStop:
      Log(log_text::kStopButtonPressed);
      host_.StopLoading();
      break;
    case Id::kReload:
      Log(log_text::kReloadButtonPressed);
      host_.Refresh();
      break;
    case Id::kPrint:
      Log(log_text::kPrintButtonPressed);
      Print();
      break;
    case Id::kEmail:
      Log(log_text::kEmailButtonPressed);
      host_.CheckExitPassword(tag);
      host_.OpenEmailWindow();
      return;
    case Id::kKeyboard: {
      host_.ReturnFocusToBrowserWindow();
      const bool shown = host_.ToggleKeyboard();
      Log(shown ? log_text::kKeyboardShown : log_text::kKeyboardHidden);
      break;
    }
    case Id::kBack2:
      Log(log_text::kBackButtonPressed);
      host_.SelectEmailMessage(-1);
      break;
    case Id::kForward2:
      Log(log_text::kForwardButtonPressed);
      host_.SelectEmailMessage(+1);
      break;
    case Id::kCustom1:
    case Id::kCustom2:
    case Id::kCustom3:
    case Id::kCustom4:
    case Id::kCustom5: {
      const std::string& url =
          settings_.custom_urls[static_cast<std::size_t>(button) - static_cast<std::size_t>(Id::kCustom1)];
      if (!url.empty()) {
        host_.GoToURL(url, NavigationReason::kCustomButton);
        host_.HideEmail();
      }
      break;
    }
  }
  host_.CheckExitPassword(tag);
}

}  // namespace tw
