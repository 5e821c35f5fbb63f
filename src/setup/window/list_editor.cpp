#include "setup/window/list_editor.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/config/password_sequence.h"
#include "setup/model/command_urls.h"
#include "setup/window/file_pickers.h"
#include "setup/window/wheel_guard.h"

namespace tw {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

constexpr ListColumn kPasswordColumn{"Object", "A"};

}  // namespace

ListEditor::ListEditor(const SetupField& field, SetupSession& session, QWidget* parent)
    : QWidget(parent),
      field_(field),
      session_(session),
      edit_({}, field.control == FieldControl::kPassword ? kMaxPasswordSteps : 0),
      items_(new QListWidget(this)) {
  confirm = [this](const QString& question) {
    return QMessageBox::warning(this, "Confirm", question, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  };
  inform = [this](const QString& message) { QMessageBox::warning(this, "Warning", message); };

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  items_->setMinimumHeight(90);
  layout->addWidget(items_, 1);
  auto* side = new QVBoxLayout;
  auto* form = new QFormLayout;
  side->addLayout(form);
  layout->addLayout(side, 1);

  const std::span<const ListColumn> columns =
      is_password() ? std::span<const ListColumn>(&kPasswordColumn, 1) : GetListSpec(field.list).columns;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const ListColumn& column = columns[c];
    QWidget* editor = nullptr;
    QWidget* row = nullptr;
    if (is_password()) {
      auto* combo = new QComboBox(this);
      TakeWheelOnlyWithFocus(combo);
      for (const PasswordLetter& step : PasswordLetters()) {
        const std::string letter(1, step.letter);
        combo->addItem(QString::fromStdString(PasswordStepCaption(letter)), QString::fromStdString(letter));
      }
      connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, c](int index) {
        if (index >= 0) FieldEdited(c, combo->itemData(index).toString());
      });
      editor = row = combo;
    } else if (column.maximum > 0) {
      auto* spin = new QSpinBox(this);
      spin->setRange(column.minimum, column.maximum);
      spin->setSingleStep(column.step);
      TakeWheelOnlyWithFocus(spin);
      connect(spin, &QSpinBox::valueChanged, this, [this, c](int v) { FieldEdited(c, QString::number(v)); });
      editor = row = spin;
    } else {
      auto* line = new QLineEdit(this);
      connect(line, &QLineEdit::textChanged, this, [this, c](const QString& text) { FieldEdited(c, text); });
      editor = row = line;
      if (column.picker != Picker::kNone) {
        row = new QWidget(this);
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(line);
        auto* pick = new QPushButton("...", row);
        pick->setFixedWidth(32);
        pick->setToolTip(Q(GetPickerSpec(column.picker).title));
        h->addWidget(pick);
        const bool local_url = column.local_url;
        const Picker picker = column.picker;
        connect(pick, &QPushButton::clicked, this, [this, line, picker, local_url] {
          if (edit_.empty()) return;
          if (const auto chosen = PickFile(this, picker, line->text(), local_url)) line->setText(*chosen);
        });
      }
    }
    form->addRow(Q(column.caption), row);
    editors_.push_back(editor);
  }

  auto* buttons = new QHBoxLayout;
  const auto add_button = [&](const char* caption, void (ListEditor::*press)()) {
    auto* button = new QPushButton(caption, this);
    connect(button, &QPushButton::clicked, this, press);
    buttons->addWidget(button);
    buttons_.push_back(button);
  };
  add_button("Add", &ListEditor::PressAdd);
  add_button("Insert", &ListEditor::PressInsert);
  add_button("Delete", &ListEditor::PressDelete);
  if (is_password() || GetListSpec(field.list).moves) {
    add_button("Up", &ListEditor::PressUp);
    add_button("Down", &ListEditor::PressDown);
  }
  side->addLayout(buttons);
  side->addStretch();

  connect(items_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (updating_ || row < 0) return;
    edit_.Select(static_cast<std::size_t>(row));
    Refresh();
  });
}

void ListEditor::Load() {
  ConfigRows rows = is_password() ? PasswordRows(session_.config().Value("PREFERENCES", "Password"))
                                  : session_.config().List(field_.list);
  edit_ = ListEdit(std::move(rows), is_password() ? kMaxPasswordSteps : 0);
  Refresh();
}

std::vector<std::string> ListEditor::NewRow() const {
  if (is_password()) return {"A"};
  std::vector<std::string> row;
  for (const ListColumn& column : GetListSpec(field_.list).columns) row.emplace_back(column.new_value);
  return row;
}

QString ListEditor::ItemText(std::size_t row) const {
  const std::string& first = edit_.rows()[row][0];
  return QString::fromStdString(is_password() ? PasswordStepCaption(first) : first);
}

void ListEditor::Refresh() {
  updating_ = true;
  items_->clear();
  for (std::size_t r = 0; r < edit_.rows().size(); ++r) items_->addItem(ItemText(r));
  const bool empty = edit_.empty();
  items_->setEnabled(!empty);
  if (!empty) items_->setCurrentRow(static_cast<int>(edit_.current()));
  for (std::size_t c = 0; c < editors_.size(); ++c) {
    QWidget* editor = editors_[c];
    editor->setEnabled(!empty);
    const QString value = empty ? QString() : QString::fromStdString(edit_.rows()[edit_.current()][c]);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      line->setText(value);
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
      spin->setValue(value.toInt());
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      combo->setCurrentIndex(combo->findData(value));
    }
  }
  updating_ = false;
}

void ListEditor::Changed() {
  if (is_password()) {
    session_.config().SetValue("PREFERENCES", "Password", PasswordFromRows(edit_.rows()));
  } else {
    session_.config().SetList(field_.list, edit_.rows());
  }
  // Buttons that run a program by its position follow it through moves and deletions.
  const bool renumbered = field_.list == ConfigListId::kPrograms && !is_password() &&
                          RenumberProgramAddresses(session_.config(), edit_.moves()) > 0;
  emit Edited();
  if (renumbered) emit OthersChanged();
}

void ListEditor::FieldEdited(std::size_t column, const QString& value) {
  if (updating_ || edit_.empty()) return;
  edit_.SetField(column, value.toStdString());
  if (column == 0) items_->item(static_cast<int>(edit_.current()))->setText(ItemText(edit_.current()));
  Changed();
}

void ListEditor::PressAdd() { AddRow(false); }

void ListEditor::PressInsert() { AddRow(!edit_.empty()); }

void ListEditor::AddRow(bool before_current) {
  const bool added = before_current ? edit_.Insert(NewRow()) : edit_.Add(NewRow());
  if (!added) {
    inform("You have reached the 255 item limit for the Password");
    return;
  }
  Refresh();
  Changed();
  editors_.front()->setFocus();
}

void ListEditor::PressDelete() {
  if (edit_.empty()) return;
  if (!confirm("I am about to delete this item?\n" + ItemText(edit_.current()))) return;
  edit_.Delete();
  Refresh();
  Changed();
}

void ListEditor::PressUp() {
  const std::size_t before = edit_.current();
  edit_.MoveUp();
  if (edit_.current() == before) return;
  Refresh();
  Changed();
}

void ListEditor::PressDown() {
  const std::size_t before = edit_.current();
  edit_.MoveDown();
  if (edit_.current() == before) return;
  Refresh();
  Changed();
}

void ListEditor::EnterField(std::size_t column, const QString& value) {
  QWidget* editor = editors_.at(column);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setText(value);
  } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
    spin->setValue(value.toInt());
  } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    combo->setCurrentIndex(combo->findData(value));
  }
}

QString ListEditor::FieldShown(std::size_t column) const {
  QWidget* editor = editors_.at(column);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) return line->text();
  if (auto* spin = qobject_cast<QSpinBox*>(editor)) return QString::number(spin->value());
  if (auto* combo = qobject_cast<QComboBox*>(editor)) return combo->currentData().toString();
  return {};
}

}  // namespace tw
