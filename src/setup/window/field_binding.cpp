#include "setup/window/field_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include "common/config/command_numbers.h"
#include "setup/model/command_urls.h"
#include "setup/window/command_chooser.h"
#include "setup/window/file_pickers.h"
#include "setup/window/wheel_guard.h"

namespace tw {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

class CheckBinding : public FieldBinding {
 public:
  CheckBinding(const SetupField& field, SetupSession& session, QWidget* parent)
      : FieldBinding(field, session, parent), box_(new QCheckBox(Q(field.caption), parent)) {
    connect(box_, &QCheckBox::toggled, this, [this](bool on) { Store(on ? "1" : "0"); });
  }
  QWidget* row() const override { return box_; }
  QWidget* control() const override { return box_; }
  QString Shown() const override { return box_->isChecked() ? "1" : "0"; }
  void Enter(const QString& value) override { box_->setChecked(value == "1"); }

 protected:
  void Show(const QString& value) override { box_->setChecked(value.toInt() != 0); }

 private:
  QCheckBox* box_;
};

class NumberBinding : public FieldBinding {
 public:
  NumberBinding(const SetupField& field, SetupSession& session, QWidget* parent)
      : FieldBinding(field, session, parent), spin_(new QSpinBox(parent)) {
    spin_->setRange(field.minimum, field.maximum);
    spin_->setSingleStep(field.step);
    TakeWheelOnlyWithFocus(spin_);
    connect(spin_, &QSpinBox::valueChanged, this, [this](int v) { Store(QString::number(v)); });
  }
  QWidget* row() const override { return spin_; }
  QWidget* control() const override { return spin_; }
  QString Shown() const override { return QString::number(spin_->value()); }
  void Enter(const QString& value) override { spin_->setValue(value.toInt()); }

 protected:
  void Show(const QString& value) override { spin_->setValue(value.toInt()); }

 private:
  QSpinBox* spin_;
};

// A value of the file that is none of the choices stays in the list as it is, so that
// loading and saving never changes it; choosing another entry replaces it.
class ChoiceBinding : public FieldBinding {
 public:
  ChoiceBinding(const SetupField& field, SetupSession& session, QWidget* parent)
      : FieldBinding(field, session, parent), combo_(new QComboBox(parent)) {
    TakeWheelOnlyWithFocus(combo_);
    connect(combo_, &QComboBox::currentIndexChanged, this, [this](int index) {
      if (index >= 0 && !showing_) Chosen(combo_->itemData(index).toString());
    });
  }
  QWidget* row() const override { return combo_; }
  QWidget* control() const override { return combo_; }
  QString Shown() const override { return combo_->currentData().toString(); }
  void Enter(const QString& value) override { combo_->setCurrentIndex(combo_->findData(value)); }

 protected:
  virtual void Chosen(const QString& value) { Store(value); }

  void Show(const QString& value) override {
    showing_ = true;
    combo_->clear();
    int current = -1;
    for (const FieldChoice& choice : field().choices) {
      if (Q(choice.value).compare(value, Qt::CaseInsensitive) == 0) current = combo_->count();
      combo_->addItem(Q(choice.caption), Q(choice.value));
    }
    if (current < 0) {
      current = combo_->count();
      combo_->addItem("\"" + value + "\" (kept as it is)", value);
    }
    combo_->setCurrentIndex(current);
    showing_ = false;
  }

  QComboBox* combo_;
  bool showing_ = false;
};

// A custom button's command: choosing one also writes the button's address, asking for
// the custom button or program where the command needs one. Cancelling that question, or
// "execute" with no programs to run, leaves the command and the address as they were.
class CommandBinding : public ChoiceBinding {
 public:
  using ChoiceBinding::ChoiceBinding;

 protected:
  void Chosen(const QString& value) override {
    const int number = value.toInt();
    int chosen = 0;
    SetupConfig& config = session().config();
    if (number == static_cast<int>(ButtonCommand::kCustom)) {
      chosen = Choose({});
    } else if (number == static_cast<int>(ButtonCommand::kExecute)) {
      QStringList programs;
      for (const auto& row : config.List(ConfigListId::kPrograms)) programs << QString::fromStdString(row[0]);
      if (programs.isEmpty()) {
        const auto answer = QMessageBox::question(
            combo_, "tw-command:",
            "No program files have been selected.\n\nTo add executables to the list please go to Command|Program "
            "Files.\n\nWould you like to go there now?");
        Load();
        if (answer == QMessageBox::Yes) emit WantPage(kCommandPage);
        return;
      }
      chosen = Choose(programs);
    }
    if (chosen < 0) {
      Load();
      return;
    }
    if (number == static_cast<int>(ButtonCommand::kSendMail)) config.SetFlag("EMAIL", "MailTo", true);
    if (const auto url_key = CommandUrlKey(field().key)) {
      config.SetValue(url_key->first, url_key->second,
                      CommandUrl(number, config.Value("PREFERENCES", "CommandPassword"), chosen));
    }
    Store(QString::number(number));
    emit OthersChanged();
  }

 private:
  // The 1-based custom button (no programs given) or program chosen; -1 for Cancel.
  int Choose(const QStringList& programs) {
    CommandChooser chooser(programs, combo_);
    return chooser.exec() == QDialog::Accepted ? chooser.selected() : -1;
  }
};

// A line of text, with a "..." picker for files, local pages and colours.
class TextBinding : public FieldBinding {
 public:
  TextBinding(const SetupField& field, SetupSession& session, QWidget* parent)
      : FieldBinding(field, session, parent), row_(new QWidget(parent)), edit_(new QLineEdit(row_)) {
    auto* layout = new QHBoxLayout(row_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) { Store(text); });
    // Passwords are not shown to whoever stands behind the operator.
    if (field.key.ends_with("Password")) edit_->setEchoMode(QLineEdit::Password);
    if (field.control == FieldControl::kFile || field.control == FieldControl::kLocalUrl ||
        field.control == FieldControl::kColour) {
      auto* pick = new QPushButton("...", row_);
      pick->setFixedWidth(32);
      pick->setToolTip(field.control == FieldControl::kColour ? "Choose a colour"
                                                              : Q(GetPickerSpec(field.picker).title));
      layout->addWidget(pick);
      connect(pick, &QPushButton::clicked, this, [this] { Pick(); });
    }
  }
  QWidget* row() const override { return row_; }
  QWidget* control() const override { return edit_; }
  QString Shown() const override { return edit_->text(); }
  void Enter(const QString& value) override { edit_->setText(value); }

 protected:
  void Show(const QString& value) override { edit_->setText(value); }

 private:
  void Pick() {
    const auto chosen = field().control == FieldControl::kColour
                            ? PickColour(row_, edit_->text())
                            : PickFile(row_, field().picker, edit_->text(), field().control == FieldControl::kLocalUrl);
    if (chosen) edit_->setText(*chosen);
  }

  QWidget* row_;
  QLineEdit* edit_;
};

}  // namespace

FieldBinding::FieldBinding(const SetupField& field, SetupSession& session, QObject* parent)
    : QObject(parent), field_(field), session_(session) {}

void FieldBinding::Load() {
  loading_ = true;
  Show(Value());
  loading_ = false;
}

QString FieldBinding::Value() const {
  if (field_.control == FieldControl::kMessage)
    return QString::fromStdString(session_.config().Message(field_.message));
  return QString::fromStdString(session_.config().Value(field_.section, field_.key));
}

void FieldBinding::Store(const QString& value) {
  if (loading_) return;
  if (field_.control == FieldControl::kMessage) {
    session_.config().SetMessage(field_.message, value.toStdString());
  } else {
    session_.config().SetValue(field_.section, field_.key, value.toStdString());
  }
  emit Edited();
}

FieldBinding* MakeFieldBinding(const SetupField& field, SetupSession& session, QWidget* parent) {
  switch (field.control) {
    case FieldControl::kCheck: return new CheckBinding(field, session, parent);
    case FieldControl::kNumber: return new NumberBinding(field, session, parent);
    case FieldControl::kChoice: return new ChoiceBinding(field, session, parent);
    case FieldControl::kCommand: return new CommandBinding(field, session, parent);
    case FieldControl::kText:
    case FieldControl::kFile:
    case FieldControl::kLocalUrl:
    case FieldControl::kColour:
    case FieldControl::kMessage: return new TextBinding(field, session, parent);
    case FieldControl::kList:
    case FieldControl::kNotes:
    case FieldControl::kPassword: break;
  }
  return nullptr;
}

}  // namespace tw
