#include "setup/window/problems_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "setup/model/setup_fields.h"

namespace tw {

QString ProblemsDialog::Line(const SetupProblem& problem) {
  QString where;
  if (problem.page >= 0) {
    const std::string_view page = SetupPageCaptions()[static_cast<std::size_t>(problem.page)];
    where = QString::fromUtf8(page.data(), static_cast<int>(page.size())).replace("&&", "&").trimmed() + " > ";
  }
  where += QString::fromStdString(problem.field);
  return QString(problem.severity == ProblemSeverity::kError ? "Error" : "Warning") + " - " + where + ": " +
         QString::fromStdString(problem.text);
}

ProblemsDialog::ProblemsDialog(const std::vector<SetupProblem>& problems, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
  setWindowTitle("Check the settings");
  const bool errors = HasErrors(problems);
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(errors ? "These settings must be corrected before they can be saved:"
                                  : "Please check these settings; they can be saved as they are:",
                           this);
  layout->addWidget(intro);
  for (const SetupProblem& problem : problems) list_->addItem(Line(problem));
  list_->setMinimumWidth(640);
  layout->addWidget(list_);
  layout->addWidget(new QLabel("Double-click a line to go to its setting.", this));
  auto* buttons = new QDialogButtonBox(this);
  if (!errors) buttons->addButton("Save anyway", QDialogButtonBox::AcceptRole);
  buttons->addButton(errors ? "Back to the settings" : "Cancel", QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    chosen_ = list_->currentRow();
    reject();
  });
}

}  // namespace tw
