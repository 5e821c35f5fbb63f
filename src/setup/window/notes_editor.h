// The Notes page: the configuration's notes as lines of text, one list item per line.
#pragma once

#include <QPlainTextEdit>

#include "setup/model/setup_session.h"

namespace tw {

class NotesEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  NotesEditor(SetupSession& session, QWidget* parent);
  void Load();

 signals:
  void Edited();

 private:
  SetupSession& session_;
  bool loading_ = false;
};

}  // namespace tw
