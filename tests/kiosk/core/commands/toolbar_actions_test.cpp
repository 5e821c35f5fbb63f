// The tool-bar buttons' actions, their order and the exit password step.
#include "kiosk/core/commands/toolbar_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

using Calls = std::vector<std::string>;
using Op = PageOperation;

// What the host records for an operation on the page.
std::string OnPage(PageOperation operation) { return "page " + std::to_string(static_cast<int>(operation)); }

class RecordingToolbarHost : public ToolbarHost {
 public:
  Calls calls;
  bool email_visible = false;
  bool keyboard_shown = false;
  bool high_contrast = false;

  void GoToURL(const std::string& url, NavigationReason reason) override {
    Add("go " + url + " " + std::to_string(static_cast<int>(reason)));
  }
  void WriteLog(std::string_view text) override { Add("log " + std::string(text)); }
  void CheckExitPassword(int tag) override { Add("password " + std::to_string(tag)); }
  void ReportError(const std::string& message) override { Add("error " + message); }
  void RequestExit() override { Add("exit"); }
  void RunOnPage(PageOperation operation) override { Add(OnPage(operation)); }
  bool EmailVisible() const override { return email_visible; }
  void HideEmail() override { Add("hide email"); }
  void PrintEmailText() override { Add("print email"); }
  void OpenEmailWindow() override { Add("open email"); }
  void SelectEmailMessage(int step) override { Add("select " + std::to_string(step)); }
  void FocusEmailWindow() override { Add("focus email"); }
  void ReturnFocusToBrowserWindow() override { Add("focus"); }
  bool ToggleKeyboard() override {
    keyboard_shown = !keyboard_shown;
    Add("toggle");
    return keyboard_shown;
  }
  bool ToggleHighContrast() override {
    high_contrast = !high_contrast;
    Add("contrast");
    return high_contrast;
  }

 private:
  void Add(std::string text) { calls.push_back(std::move(text)); }
};

ToolbarSettings Settings(bool log_urls = true) {
  ToolbarSettings s;
  s.start_url = "file:///start.htm";
  s.help_url = "file:///help.htm";
  s.own_urls[static_cast<std::size_t>(ToolbarButtonId::kCustom1)] = "http://one/";
  s.log_urls = log_urls;
  return s;
}

Calls PressOnce(ToolbarButtonId button, bool log_urls = true, bool email_visible = false) {
  RecordingToolbarHost host;
  host.email_visible = email_visible;
  ToolbarActions actions(host, Settings(log_urls));
  actions.Press(button);
  return host.calls;
}

TEST(ToolbarActions, EachButtonActsInOrderAndEndsWithItsTag) {
  using Id = ToolbarButtonId;
  struct Case {
    Id button;
    Calls expected;
  };
  const Case cases[] = {
      {Id::kStart, {"go file:///start.htm 3", "hide email", "password 18"}},
      {Id::kHelp, {"go file:///help.htm 4", "hide email", "password 21"}},
      {Id::kBack, {"log Back Button Pressed", OnPage(Op::kBack), "hide email", "password 19"}},
      {Id::kForward, {"log Forward Button Pressed", OnPage(Op::kForward), "hide email", "password 20"}},
      {Id::kStop, {"log Stop Button Pressed", OnPage(Op::kStop), "password 23"}},
      {Id::kReload, {"log Reload Button Pressed", OnPage(Op::kReload), "password 24"}},
      {Id::kPrint, {"log Print Button Pressed", OnPage(Op::kPrint), "password 22"}},
      // Email feeds the password before the window opens.
      {Id::kEmail, {"log Email Button Pressed", "password 25", "open email"}},
      {Id::kKeyboard, {"focus", "toggle", "log Keyboard Shown", "password 26"}},
      {Id::kBack2, {"log Back Button Pressed", "select -1", "password 19"}},
      {Id::kForward2, {"log Forward Button Pressed", "select 1", "password 20"}},
      {Id::kCustom1, {"go http://one/ 0", "hide email", "password 21"}},
      {Id::kCustom2, {"password 21"}},
      {Id::kZoomIn, {"log Zoom In Pressed", OnPage(Op::kZoomIn), "password 21"}},
      {Id::kZoomOut, {"log Zoom Out Pressed", OnPage(Op::kZoomOut), "password 21"}},
      {Id::kHighContrast, {"contrast", "log High Contrast On", "password 21"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PressOnce(c.button), c.expected) << ToolbarButton(c.button).name;
  }
}

TEST(ToolbarActions, LogSwitchOffDropsOnlyTheLogLines) {
  EXPECT_EQ(PressOnce(ToolbarButtonId::kBack, false), (Calls{OnPage(Op::kBack), "hide email", "password 19"}));
  EXPECT_EQ(PressOnce(ToolbarButtonId::kKeyboard, false), (Calls{"focus", "toggle", "password 26"}));
}

TEST(ToolbarActions, PrintWithTheEmailWindowOpenPrintsItsTextOnly) {
  EXPECT_EQ(PressOnce(ToolbarButtonId::kPrint, true, true),
            (Calls{"log Print Button Pressed", "print email", "password 22"}));
}

TEST(ToolbarActions, WithTheEmailWindowOpenOnlyPrintTurnsToIt) {
  using Id = ToolbarButtonId;
  struct Case {
    Id button;
    Calls expected;
  };
  const Case cases[] = {
      {Id::kBack, {"log Back Button Pressed", OnPage(Op::kBack), "hide email", "password 19"}},
      {Id::kForward, {"log Forward Button Pressed", OnPage(Op::kForward), "hide email", "password 20"}},
      {Id::kStop, {"log Stop Button Pressed", OnPage(Op::kStop), "password 23"}},
      {Id::kReload, {"log Reload Button Pressed", OnPage(Op::kReload), "password 24"}},
      {Id::kPrint, {"log Print Button Pressed", "print email", "password 22"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PressOnce(c.button, true, true), c.expected) << ToolbarButton(c.button).name;
  }
}

TEST(ToolbarActions, OnlyTheButtonsOnThePageNameAnOperation) {
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    EXPECT_EQ(b.action == ButtonAction::kOnPage, b.on_page.has_value()) << b.name;
  }
}

TEST(ToolbarActions, KeyboardLogsWhichWayItWent) {
  RecordingToolbarHost host;
  ToolbarActions actions(host, Settings(1));
  actions.Press(ToolbarButtonId::kKeyboard);
  actions.Press(ToolbarButtonId::kKeyboard);
  EXPECT_EQ(host.calls, (Calls{"focus", "toggle", "log Keyboard Shown", "password 26", "focus", "toggle",
                               "log Keyboard Hidden", "password 26"}));
}

TEST(ToolbarActions, ReturnFocusPrefersTheOpenEmailWindow) {
  RecordingToolbarHost host;
  ToolbarActions actions(host, Settings(1));
  actions.ReturnFocus();
  host.email_visible = true;
  actions.ReturnFocus();
  EXPECT_EQ(host.calls, (Calls{"focus", "focus email"}));
}

TEST(ToolbarActions, TaggedKioskButtonsMapToTheirToolBarButtons) {
  EXPECT_EQ(ToolbarButtonFor(KioskButton::kKeyboard), ToolbarButtonId::kKeyboard);
  EXPECT_EQ(ToolbarButtonFor(KioskButton::kHelp), ToolbarButtonId::kHelp);
  EXPECT_EQ(ToolbarButtonFor(KioskButton::kCustom1), std::nullopt);
  EXPECT_EQ(ToolbarButtonFor(KioskButton::kUp), std::nullopt);
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    if (b.id > ToolbarButtonId::kKeyboard) continue;
    EXPECT_EQ(ToolbarButtonFor(b.object), b.id) << b.name;
  }
}

}  // namespace
}  // namespace tw
