// The visitors' e-mail window, as the rest of the kiosk uses it: the tool bar's Email,
// Print and previous/next buttons, "mailto" links and the return to the start page.
#pragma once

#include <string>

namespace tw {

class EmailWindow {
 public:
  virtual ~EmailWindow() = default;
  virtual bool IsVisible() const = 0;
  virtual void Hide() = 0;
  // mode 0: from the Email button; 1: addressed to `address` (a "mailto" link).
  virtual void Open(int mode, const std::string& address) = 0;
  // Prints the message on show.
  virtual void PrintText() = 0;
  // -1 the previous message of the list, +1 the next.
  virtual void SelectMessage(int step) = 0;
  virtual void TakeFocus() = 0;
};

// The kiosk without an e-mail window: never visible, so presses act on the browser.
class NoEmailWindow : public EmailWindow {
 public:
  bool IsVisible() const override { return false; }
  void Hide() override {}
  void Open(int, const std::string&) override {}
  void PrintText() override {}
  void SelectMessage(int) override {}
  void TakeFocus() override {}
};

}  // namespace tw
