// One control of a page bound to one key (or message) of the configuration: it shows the
// value when the pages are loaded and writes what the operator changes at once.
#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "setup/model/setup_fields.h"
#include "setup/model/setup_session.h"

class QWidget;

namespace tw {

class FieldBinding : public QObject {
  Q_OBJECT

 public:
  FieldBinding(const SetupField& field, SetupSession& session, QObject* parent);

  const SetupField& field() const { return field_; }
  // The row to put on the page, and the control that takes the focus.
  virtual QWidget* row() const = 0;
  virtual QWidget* control() const = 0;

  // Shows the configuration's value.
  void Load();
  // The value the control shows, as it would be written.
  virtual QString Shown() const = 0;
  // Sets the control as the operator would (its change reaches the configuration).
  virtual void Enter(const QString& value) = 0;

 signals:
  void Edited();
  // The edit also changed other keys (a command's address): the pages show them again.
  void OthersChanged();
  // The operator asked to go to a page.
  void WantPage(int page);

 protected:
  virtual void Show(const QString& value) = 0;
  QString Value() const;
  void Store(const QString& value);
  SetupSession& session() const { return session_; }

 private:
  const SetupField& field_;
  SetupSession& session_;
  bool loading_ = false;
};

// The control for a field of kind kCheck, kText, kNumber, kChoice, kCommand, kFile,
// kLocalUrl, kColour or kMessage.
FieldBinding* MakeFieldBinding(const SetupField& field, SetupSession& session, QWidget* parent);

}  // namespace tw
