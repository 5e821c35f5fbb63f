#include "setup/window/command_chooser.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tw {

CommandChooser::CommandChooser(const QStringList& programs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  auto* layout = new QVBoxLayout(this);
  if (programs.isEmpty()) {
    setWindowTitle("tw-command: Custom Buttons");
    auto* group = new QGroupBox("Select A Custom Button", this);
    auto* column = new QVBoxLayout(group);
    buttons_ = new QButtonGroup(this);
    for (int n = 1; n <= 10; ++n) {
      auto* radio = new QRadioButton(QString("Custom button #%1").arg(n), group);
      buttons_->addButton(radio, n);
      column->addWidget(radio);
    }
    buttons_->button(1)->setChecked(true);
    layout->addWidget(group);
  } else {
    setWindowTitle("tw-command: Program List");
    layout->addWidget(new QLabel("Select A Program File", this));
    programs_ = new QListWidget(this);
    programs_->addItems(programs);
    programs_->setCurrentRow(0);
    connect(programs_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(programs_);
  }
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(box);
}

int CommandChooser::selected() const {
  if (buttons_ != nullptr) return buttons_->checkedId();
  return programs_->currentRow() + 1;
}

}  // namespace tw
