// The kiosk's panels from a keyboard (or a switch interface that sends keys): the frame
// key moves from the page to the tool bar, on to the side panel and back to the page;
// in a panel the arrows and Tab go from button to button in reading order, Enter and
// Space press, Escape (or a touch on one of the kiosk's other windows) goes back to the
// page. A panel takes the keyboard only while it is walked: a touch never moves the
// focus away from the page.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace tw {

class FrameKeyboardWalk : public QObject {
 public:
  // `panels` in the order the frame key visits them; `return_focus` gives the keyboard
  // back to where the visitor types (the page, or the e-mail window while it is open).
  FrameKeyboardWalk(std::vector<QWidget*> panels, std::function<void()> return_focus);

  // The frame key was pressed.
  void FrameKey();
  // Installed on the application: keys while a panel is walked.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int CurrentPanel() const;  // -1: the keyboard is not in a panel
  // The buttons and keys a visitor can press in the panel, in reading order.
  std::vector<QWidget*> Stops(QWidget& panel) const;
  void Enter(int panel);
  void Leave();
  void Move(int step);
  static void AcceptFocus(QWidget& panel, bool accept);

  std::vector<QPointer<QWidget>> panels_;
  std::function<void()> return_focus_;
};

}  // namespace tw
