// The small dialog that asks which custom button ("tw-command:custom4") or which program
// of the Program Files list ("tw-command:execute?3") a command stands for. OK takes the
// choice (a double click on a program too); Cancel leaves the button as it was.
#pragma once

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QListWidget;

namespace tw {

class CommandChooser : public QDialog {
  Q_OBJECT

 public:
  // With no programs: the ten custom buttons; otherwise the programs.
  explicit CommandChooser(const QStringList& programs, QWidget* parent = nullptr);

  // The 1-based position selected.
  int selected() const;

  QButtonGroup* buttons() const { return buttons_; }
  QListWidget* programs() const { return programs_; }

 private:
  QButtonGroup* buttons_ = nullptr;
  QListWidget* programs_ = nullptr;
};

}  // namespace tw
