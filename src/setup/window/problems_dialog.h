// The list of problems found before a save: each with its page and field. Errors block
// the save; with warnings only, the operator may save all the same. Double-clicking a
// problem closes the list and shows its field.
#pragma once

#include <QDialog>
#include <vector>

#include "setup/model/setup_problems.h"

class QListWidget;

namespace tw {

class ProblemsDialog : public QDialog {
  Q_OBJECT

 public:
  ProblemsDialog(const std::vector<SetupProblem>& problems, QWidget* parent);

  QListWidget* list() const { return list_; }
  // The problem chosen to be shown; -1 when none.
  int chosen() const { return chosen_; }

  // One line of the list: "Error - Log File > Hour: ...".
  static QString Line(const SetupProblem& problem);

 private:
  QListWidget* list_;
  int chosen_ = -1;
};

}  // namespace tw
