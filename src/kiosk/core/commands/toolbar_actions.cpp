#include "kiosk/core/commands/toolbar_actions.h"

#include <exception>

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
      Log("Back Button Pressed");
      host_.GoBack();
      host_.HideEmail();
      break;
    case Id::kForward:
      Log("Forward Button Pressed");
      host_.GoForward();
      host_.HideEmail();
      break;
    case Id::kStop:
      Log("Stop Button Pressed");
      host_.StopLoading();
      break;
    case Id::kReload:
      Log("Reload Button Pressed");
      host_.Refresh();
      break;
    case Id::kPrint:
      Log("Print Button Pressed");
      Print();
      break;
    case Id::kEmail:
      Log("Email Button Pressed");
      host_.CheckExitPassword(tag);
      host_.OpenEmailWindow();
      return;
    case Id::kKeyboard: {
      host_.ReturnFocusToBrowserWindow();
      const bool shown = host_.ToggleKeyboard();
      Log(shown ? "Keyboard Shown" : "Keyboard Hidden");
      break;
    }
    case Id::kBack2:
      Log("Back Button Pressed");
      host_.SelectEmailMessage(-1);
      break;
    case Id::kForward2:
      Log("Forward Button Pressed");
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
