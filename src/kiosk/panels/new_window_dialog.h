// Asks the visitor what to do with a new browser window a page wants to open.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "common/texts/language_messages.h"

namespace tw {

class NewWindowDialog : public QDialog {
  Q_OBJECT

 public:
  // Modal results.
  static constexpr int kRemove = 1;
  static constexpr int kTransfer = 2;

  explicit NewWindowDialog(const NewBrowserMessages& texts, QWidget* parent = nullptr);

  // Unanswered for this long, the question answers itself "Remove New Window".
  static constexpr int kUnansweredMs = 10000;

  // Shows the question and returns at once; `answered` is told once, from the event loop,
  // whether the visitor chose to transfer control (never once the dialog is gone). False,
  // and nothing shown, while a question is up already. The kiosk goes on meanwhile: no
  // call of anyone else's waits under the question for the answer.
  bool Ask(std::function<void(bool transfer)> answered);
  // Closes an open question with "Remove New Window" (the kiosk changes the page).
  void Remove();

  QLabel* Label1() const { return label1_; }
  QPushButton* Button1() const { return button1_; }
  QPushButton* Button2() const { return button2_; }

 private:
  QLabel* label1_;
  QPushButton* button1_;
  QPushButton* button2_;
  QTimer unanswered_;
  std::function<void(bool)> answered_;
};

}  // namespace tw
