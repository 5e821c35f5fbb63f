#include "setup/window/notes_editor.h"

namespace tw {

NotesEditor::NotesEditor(SetupSession& session, QWidget* parent) : QPlainTextEdit(parent), session_(session) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (loading_) return;
    ConfigRows rows;
    const QString text = toPlainText();
    if (!text.isEmpty()) {
      for (const QString& line : text.split('\n')) rows.push_back({line.toStdString()});
    }
    session_.config().SetList(ConfigListId::kConfiguration, std::move(rows));
    emit Edited();
  });
}

void NotesEditor::Load() {
  QStringList lines;
  for (const auto& row : session_.config().List(ConfigListId::kConfiguration)) {
    lines << QString::fromStdString(row[0]);
  }
  loading_ = true;
  setPlainText(lines.join('\n'));
  loading_ = false;
}

}  // namespace tw
