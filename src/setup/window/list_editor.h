// The editor every list page uses: the items in a list box, the current item's fields in
// editors beside it, and Add, Insert, Delete, Up and Down. The rules are ListEdit's;
// this widget shows them and writes the list back at every change.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "setup/model/list_edit.h"
#include "setup/model/setup_fields.h"
#include "setup/model/setup_session.h"

class QListWidget;
class QPushButton;

namespace tw {

class ListEditor : public QWidget {
  Q_OBJECT

 public:
  // `field` is a kList field or the kPassword field.
  ListEditor(const SetupField& field, SetupSession& session, QWidget* parent);

  void Load();

  const SetupField& field() const { return field_; }
  const ListEdit& edit() const { return edit_; }
  QListWidget* items() const { return items_; }
  QWidget* editor(std::size_t column) const { return editors_.at(column); }
  std::size_t columns() const { return editors_.size(); }

  // What the buttons do.
  void PressAdd();
  void PressInsert();
  void PressDelete();
  void PressUp();
  void PressDown();
  // Sets a field's editor as the operator would.
  void EnterField(std::size_t column, const QString& value);
  QString FieldShown(std::size_t column) const;

  // The questions asked; a test answers them itself.
  std::function<bool(const QString& question)> confirm;
  std::function<void(const QString& message)> inform;

 signals:
  void Edited();
  // The edit also changed other keys (the buttons' program numbers).
  void OthersChanged();

 private:
  bool is_password() const { return field_.control == FieldControl::kPassword; }
  std::vector<std::string> NewRow() const;
  QString ItemText(std::size_t row) const;
  void Refresh();
  void Changed();
  void FieldEdited(std::size_t column, const QString& value);
  void AddRow(bool before_current);

  const SetupField& field_;
  SetupSession& session_;
  ListEdit edit_;
  QListWidget* items_;
  std::vector<QWidget*> editors_;
  std::vector<QPushButton*> buttons_;
  bool updating_ = false;
};

}  // namespace tw
