// The twelve pages of the main window, built from the field table.
#pragma once

#include <vector>

#include "setup/model/setup_session.h"

class QObject;
class QWidget;

namespace tw {

class FieldBinding;
class ListEditor;
class NotesEditor;
class ClockPreview;
class ToolbarPreview;

struct SetupPages {
  std::vector<QWidget*> pages;  // in tab order
  std::vector<FieldBinding*> fields;
  std::vector<ListEditor*> lists;
  NotesEditor* notes = nullptr;
  ClockPreview* clock = nullptr;
  ToolbarPreview* toolbar = nullptr;
  SetupSession* session = nullptr;

  // Shows the configuration in every control.
  void Load() const;
  // Shows the buttons' fields again (their addresses follow the command password).
  void LoadButtons() const;
  // Controls that follow others: the browser program only for the external browser, the
  // clock and tool bar previews.
  void UpdateDependents() const;
  // Calls `edited` whenever the operator changes something.
  template <typename F>
  void OnEdited(QObject* context, F edited) const;
  // The control that shows a key (or list section, or "MESSAGES" key), to jump to.
  QWidget* ControlFor(const std::string& section, const std::string& key) const;
};

SetupPages BuildSetupPages(SetupSession& session, QWidget* parent);

}  // namespace tw

#include "setup/window/field_binding.h"
#include "setup/window/list_editor.h"
#include "setup/window/notes_editor.h"

namespace tw {

template <typename F>
void SetupPages::OnEdited(QObject* context, F edited) const {
  for (FieldBinding* field : fields) QObject::connect(field, &FieldBinding::Edited, context, edited);
  for (ListEditor* list : lists) QObject::connect(list, &ListEditor::Edited, context, edited);
  if (notes) QObject::connect(notes, &NotesEditor::Edited, context, edited);
}

}  // namespace tw
