#include "setup/window/setup_pages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <map>

#include "setup/window/clock_preview.h"
#include "setup/window/toolbar_preview.h"
#include "setup/window/wheel_guard.h"

namespace tw {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// A group of a page; a group of buttons shows one button at a time, chosen with its
// selector.
struct Group {
  QFormLayout* form = nullptr;
  QComboBox* selector = nullptr;
  QStackedWidget* stack = nullptr;
  std::map<std::string_view, QFormLayout*> entries;

  QFormLayout* EntryForm(std::string_view entry) {
    QWidget* box = form->parentWidget();
    if (selector == nullptr) {
      selector = new QComboBox(box);
      TakeWheelOnlyWithFocus(selector);
      stack = new QStackedWidget(box);
      form->addRow("Button", selector);
      form->addRow(stack);
      QObject::connect(selector, &QComboBox::currentIndexChanged, stack, &QStackedWidget::setCurrentIndex);
      QObject::connect(stack, &QStackedWidget::currentChanged, selector, &QComboBox::setCurrentIndex);
    }
    QFormLayout*& entry_form = entries[entry];
    if (entry_form == nullptr) {
      auto* holder = new QWidget(stack);
      entry_form = new QFormLayout(holder);
      entry_form->setContentsMargins(0, 0, 0, 0);
      stack->addWidget(holder);
      selector->addItem(Q(entry));
    }
    return entry_form;
  }
};

// Group captions keep the single "&" of the description; a label would take it as a
// shortcut mark.
QString GroupTitle(std::string_view group) { return Q(group).replace("&", "&&"); }

}  // namespace

void SetupPages::Load() const {
  for (FieldBinding* field : fields) field->Load();
  for (ListEditor* list : lists) list->Load();
  if (notes) notes->Load();
  UpdateDependents();
}

void SetupPages::LoadButtons() const {
  for (FieldBinding* field : fields) {
    if (!field->field().entry.empty()) field->Load();
  }
}

void SetupPages::UpdateDependents() const {
  const bool external = !session->config().Flag("BROWSER", "Browser");
  for (FieldBinding* field : fields) {
    if (field->field().key == "FileName" && field->field().section == "BROWSER") field->row()->setEnabled(external);
  }
  if (clock) clock->Show(session->config());
  if (toolbar) toolbar->Show(session->config());
}

QWidget* SetupPages::ControlFor(const std::string& section, const std::string& key) const {
  for (FieldBinding* field : fields) {
    const SetupField& f = field->field();
    if (f.control == FieldControl::kMessage) {
      if (section == "MESSAGES" && key == kLanguageMessages[f.message].key) return field->control();
    } else if (SameName(f.section, section) && SameName(f.key, key)) {
      return field->control();
    }
  }
  for (ListEditor* editor : lists) {
    const SetupField& f = editor->field();
    if (f.control == FieldControl::kPassword) {
      if (SameName(section, "PREFERENCES") && SameName(key, "Password")) return editor->items();
      continue;
    }
    const ConfigList& list = GetConfigList(f.list);
    bool match = SameName(list.first.section, section);
    for (const ConfigListPart& part : list.companions) match = match || SameName(part.section, section);
    if (match) return editor->items();
  }
  if (SameName(section, "CONFIGURATION")) return notes;
  return nullptr;
}

SetupPages BuildSetupPages(SetupSession& session, QWidget* parent) {
  SetupPages built;
  built.session = &session;
  const auto captions = SetupPageCaptions();
  for (std::size_t p = 0; p < captions.size(); ++p) {
    auto* scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(scroll);
    page->setObjectName(QString("page%1").arg(p));
    auto* layout = new QVBoxLayout(page);
    std::map<std::string_view, Group> groups;
    for (const SetupField& field : SetupFields()) {
      if (field.page != static_cast<int>(p)) continue;
      Group& group = groups[field.group];
      if (group.form == nullptr) {
        auto* box = new QGroupBox(GroupTitle(field.group), page);
        group.form = new QFormLayout(box);
        layout->addWidget(box);
      }
      QFormLayout* form = field.entry.empty() ? group.form : group.EntryForm(field.entry);
      QWidget* box = form->parentWidget();
      if (field.control == FieldControl::kList || field.control == FieldControl::kPassword) {
        auto* editor = new ListEditor(field, session, box);
        form->addRow(editor);
        built.lists.push_back(editor);
      } else if (field.control == FieldControl::kNotes) {
        built.notes = new NotesEditor(session, box);
        built.notes->setMinimumHeight(300);
        form->addRow(built.notes);
      } else {
        FieldBinding* binding = MakeFieldBinding(field, session, box);
        if (field.control == FieldControl::kCheck) {
          form->addRow(binding->row());
        } else {
          form->addRow(Q(field.caption), binding->row());
        }
        built.fields.push_back(binding);
      }
    }
    if (p == kBusyBarPage && groups.count("Clock") != 0) {
      QFormLayout* form = groups["Clock"].form;
      built.clock = new ClockPreview(form->parentWidget());
      form->addRow("Preview", built.clock);
    }
    if (p == kSecurityPage && groups.count("End User Messaging") != 0) {
      QFormLayout* form = groups["End User Messaging"].form;
      auto* note = new QGroupBox("Please Note", form->parentWidget());
      auto* lines = new QVBoxLayout(note);
      for (const char* text :
           {"Messaging information is saved to the keyboard configuration file, TWLang.ini. This enables you to "
            "compose messages in  a language that corresponds to your virtual keyboard. For this reason any editing "
            "of these messages will cause Setup",
            "Manager to detect a change in your keyboard and thus prompt you to save your modifications."}) {
        auto* label = new QLabel(text, note);
        label->setWordWrap(true);
        lines->addWidget(label);
      }
      form->addRow(note);
    }
    if (p == kButtonsPage && groups.count("Tool Bar") != 0) {
      QFormLayout* form = groups["Tool Bar"].form;
      built.toolbar = new ToolbarPreview(form->parentWidget());
      form->addRow(built.toolbar);
    }
    layout->addStretch();
    scroll->setWidget(page);
    built.pages.push_back(scroll);
  }
  return built;
}

}  // namespace tw
