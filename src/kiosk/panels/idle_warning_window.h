// Asks a visitor who has stopped using the kiosk whether anyone is still there, before
// the idle return takes the page away: the question and the seconds left, over the whole
// screen, so that a touch anywhere answers it.
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <string>

namespace tw {

class IdleWarningWindow : public QWidget {
  Q_OBJECT

 public:
  explicit IdleWarningWindow(const std::string& question, QWidget* parent = nullptr);

  // Shows the window (covering the primary screen) with this many seconds left.
  void ShowCountdown(int seconds_left);

  // A touch, a click or a key on the window: the visitor is there.
  std::function<void()> answered;

  QLabel* Question() const { return question_; }
  QLabel* Countdown() const { return countdown_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Answer();
  void FitToScreen();

  QLabel* question_;
  QLabel* countdown_;
};

}  // namespace tw
