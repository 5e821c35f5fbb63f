#include "setup/window/keyboard_page_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGraphicsOpacityEffect>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "common/keyboard/keyboard_layout_names.h"
#include "platform/x11qt/canberra_button_sound.h"
#include "setup/window/wheel_guard.h"
#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"
#include "widgets/keyboard_pages.h"

namespace tw {
namespace {

constexpr const char* kLayoutCaptions[] = {"Normal", "Letter", "Double", "Quad", "Letter Plus"};
constexpr const char* kKeyTextCaptions[] = {"Top Left", "Bottom Left", "Top Right", "Bottom Right", "Send String"};

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

KeyboardPageView::KeyboardPageView(SetupSession& session, std::string system_layout, QWidget* parent)
    : QWidget(parent),
      session_(session),
      model_(session, std::move(system_layout)),
      sounds_(std::make_unique<CanberraButtonSound>()) {
  ask_yes_no = [this](const QString& question) {
    return QMessageBox::question(this, window()->windowTitle(), question) == QMessageBox::Yes;
  };
  choose_save_file = [this](const QString& proposed, const QString& folder) {
    QFileDialog dialog(this, "Save customized keyboard layout", folder, "Keyboard configuration file (*.ini)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("ini");
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };

  auto* layout = new QVBoxLayout(this);
  sub_pages_ = new QTabWidget(this);
  auto* key_values = new QWidget(sub_pages_);
  auto* load = new QWidget(sub_pages_);
  audio_ = new QWidget(sub_pages_);
  new QVBoxLayout(audio_);
  BuildKeyValues(key_values);
  BuildLoadKeyboard(load);
  sub_pages_->addTab(key_values, "Key Values");
  sub_pages_->addTab(load, "Load Keyboard");
  sub_pages_->addTab(audio_, "Audio");
  layout->addWidget(sub_pages_);

  // Clicks select keys: the controller follows no window, and the keys do not type.
  controller_ = new KeyboardController(this, KeyboardPlatform{nullptr, nullptr, nullptr, sounds_.get()});
  controller_->SetAutoHandle(false);
  controller_->SetPolling(false);
  keyboard_ = new KeyboardPages(controller_, this);
  // The keyboard takes the page's width (up to its design size) and does not widen it.
  keyboard_->setMinimumWidth(400);
  keyboard_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  for (KeyButton* key : keyboard_->Keys()) {
    key->SetActive(false);
    key->OnClick = [this](KeyButton& clicked) { SelectKey(clicked.objectName()); };
  }
  layout->addWidget(keyboard_);
  layout->addStretch();
  // A frame around the key being edited; clicks go through it to the keys.
  selection_ = new QFrame(keyboard_);
  selection_->setObjectName("SelectedKey");
  selection_->setStyleSheet("#SelectedKey { border: 2px solid #d00000; background: transparent; }");
  selection_->setAttribute(Qt::WA_TransparentForMouseEvents);
  selection_->hide();
  Restart();
}

KeyboardPageView::~KeyboardPageView() = default;

void KeyboardPageView::BuildKeyValues(QWidget* page) {
  // Legends and key script on the left, the key's look on the right.
  auto* columns = new QHBoxLayout(page);
  auto* form = new QFormLayout;
  auto* look = new QFormLayout;
  columns->addLayout(form, 3);
  columns->addLayout(look, 2);
  selected_name_ = new QLabel("Click a key to edit it.", page);
  form->addRow("Key", selected_name_);
  for (std::size_t i = 0; i < 5; ++i) {
    const auto field = static_cast<KeyText>(i);
    texts_[i] = new QLineEdit(page);
    form->addRow(kKeyTextCaptions[i], texts_[i]);
    connect(texts_[i], &QLineEdit::textEdited, this, [this, field](const QString& text) { EditText(field, text); });
  }
  // Top Right is kept, but not offered: no key layout shows it.
  form->setRowVisible(texts_[static_cast<std::size_t>(KeyText::kTopRight)], false);
  layout_ = new QComboBox(page);
  for (const char* caption : kLayoutCaptions) layout_->addItem(caption);
  look->addRow("Layout", layout_);
  TakeWheelOnlyWithFocus(layout_);
  connect(layout_, &QComboBox::activated, this, [this](int index) {
    if (!editing_ || !model_.SetLayout(static_cast<KeyLayout>(index))) return;
    const QSignalBlocker block(size_);
    size_->setValue(model_.Selected()->entry.font_size);
    KeyChanged();
  });
  auto* fonts = new QComboBox(page);
  QStringList families = QFontDatabase::families();
  families.sort(Qt::CaseInsensitive);
  fonts->addItems(families);
  fonts->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  fonts->setMinimumContentsLength(12);
  look->addRow("Font", fonts);
  TakeWheelOnlyWithFocus(fonts);
  connect(fonts, &QComboBox::activated, this, [this, fonts](int index) {
    if (editing_) EditText(KeyText::kFontName, fonts->itemText(index));
  });
  font_ = fonts;
  size_ = new QSpinBox(page);
  size_->setRange(1, 999);
  look->addRow("Size", size_);
  TakeWheelOnlyWithFocus(size_);
  connect(size_, &QSpinBox::valueChanged, this, [this](int size) {
    if (editing_ && model_.SetFontSize(size)) KeyChanged();
  });
  visible_ = new QCheckBox("Key Visible", page);
  look->addRow(visible_);
  connect(visible_, &QCheckBox::toggled, this, [this](bool on) {
    if (editing_ && model_.SetVisible(on)) KeyChanged();
  });
  swap_ = new QPushButton("Swap", page);
  swap_->setToolTip("Show the other keyboard page (QWERT or ABCDE)");
  look->addRow(swap_);
  connect(swap_, &QPushButton::clicked, this, [this] {
    model_.Swap();
    keyboard_->ShowPage(static_cast<int>(model_.Page()));
  });
}

void KeyboardPageView::BuildLoadKeyboard(QWidget* page) {
  auto* form = new QFormLayout(page);
  system_name_ = new QLabel(Q(model_.SystemLayout()), page);
  form->addRow("System keyboard:", system_name_);
  virtual_name_ = new QLabel(page);
  form->addRow("Virtual keyboard:", virtual_name_);
  layouts_ = new QComboBox(page);
  form->addRow("Layout", layouts_);
  TakeWheelOnlyWithFocus(layouts_);
  connect(layouts_, &QComboBox::activated, this, [this](int index) { ChooseLayout(layouts_->itemText(index)); });
  synch_ = new QPushButton("Synch", page);
  synch_->setToolTip("Synchronise with system keyboard");
  form->addRow(synch_);
  connect(synch_, &QPushButton::clicked, this, &KeyboardPageView::Synch);
}

void KeyboardPageView::RefreshLayoutList() {
  const QSignalBlocker block(layouts_);
  layouts_->clear();
  layouts_->addItem("");
  for (const std::string& name : session_.LayoutNames()) layouts_->addItem(Q(name));
  system_name_->setText(model_.CanSynch() ? Q(model_.SystemLayout()) : QString(kUnknownKeyboardLayout.data()));
  synch_->setEnabled(model_.CanSynch());
  virtual_name_->setText(Q(model_.VirtualKeyboardName()));
}

void KeyboardPageView::Restart() {
  model_.Restart();
  ClearEditors();
  ShowKeys();
  RefreshLayoutList();
}

void KeyboardPageView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitKeyboard();
}

void KeyboardPageView::FitKeyboard() {
  // The keyboard's 800 design pixels are shrunk to the page's width, never enlarged.
  const QMargins margins = layout()->contentsMargins();
  const int available = width() - margins.left() - margins.right();
  const double scale = std::clamp(available / 800.0, 0.5, 1.0);
  auto scaled = [scale](int value) { return static_cast<int>(std::lround(value * scale)); };
  keyboard_->setFixedHeight(scaled(215));
  keyboard_->setMaximumWidth(scaled(800));
  const auto& entries = session_.config().Keys();
  const auto design = KeyboardKeys();
  for (std::size_t i = 0; i < design.size() && i < entries.size(); ++i) {
    KeyButton* key = keyboard_->Keys()[i];
    const KeyboardKey& k = design[i];
    key->setGeometry(scaled(k.left), scaled(k.top), scaled(k.width), scaled(k.height));
    QFont f = key->font();
    f.setPointSizeF(entries[i].entry.font_size * scale);
    key->setFont(f);
    // A key the kiosk hides stays here, faint, so that it can be selected and shown again.
    key->setVisible(true);
    const bool hidden = !entries[i].entry.visible;
    if (hidden != (key->graphicsEffect() != nullptr)) {
      QGraphicsOpacityEffect* faint = nullptr;
      if (hidden) {
        faint = new QGraphicsOpacityEffect(key);
        faint->setOpacity(0.35);
      }
      key->setGraphicsEffect(faint);
    }
  }
  MarkSelected();
}

void KeyboardPageView::MarkSelected() {
  const NamedKeyboardEntry* selected = model_.Selected();
  KeyButton* key = selected != nullptr ? keyboard_->Key(selected->name) : nullptr;
  if (key == nullptr) {
    selection_->hide();
    return;
  }
  selection_->setParent(key->parentWidget());
  selection_->setGeometry(key->geometry().adjusted(-2, -2, 2, 2));
  selection_->raise();
  selection_->show();
}

void KeyboardPageView::ShowKeys() {
  keyboard_->ApplyEntries(session_.config().Keys());
  FitKeyboard();
  // The keys sound only when the operator wants them to here too.
  const SetupConfig& config = session_.config();
  const int source = config.Integer("SOUNDS", "Keyboard").value_or(0);
  const bool apply = config.Flag("SOUNDS", "ApplyToManager");
  for (KeyButton* key : keyboard_->Keys()) {
    key->SetSound(apply && source >= 0 && source <= 7 ? static_cast<KeySound>(source) : KeySound::kNone);
    key->SetCustomSound(apply && source == static_cast<int>(KeySound::kCustom) ? config.Value("SOUNDS", "KBCustomSound")
                                                                               : std::string());
  }
}

void KeyboardPageView::ClearEditors() {
  editing_ = false;
  for (QLineEdit* text : texts_) {
    if (text == nullptr) continue;
    text->clear();
    text->setEnabled(false);
  }
  for (QWidget* editor : std::initializer_list<QWidget*>{layout_, font_, size_, visible_}) editor->setEnabled(false);
  const QSignalBlocker block(size_);
  size_->setValue(1);
  selected_name_->setText("Click a key to edit it.");
  selection_->hide();
}

void KeyboardPageView::SelectKey(const QString& name) {
  editing_ = false;
  if (!model_.Select(name.toStdString())) return;
  ShowSelected();
  editing_ = true;
}

void KeyboardPageView::ShowSelected() {
  const NamedKeyboardEntry* key = model_.Selected();
  const KeyboardEntry& e = key->entry;
  const std::string* values[] = {&e.caption, &e.caption2, &e.caption3, &e.caption4, &e.send_string};
  for (std::size_t i = 0; i < 5; ++i) {
    texts_[i]->setText(Q(*values[i]));
    texts_[i]->setEnabled(true);
  }
  const QSignalBlocker b1(layout_), b2(font_), b3(size_), b4(visible_);
  layout_->setCurrentIndex(static_cast<int>(e.key_layout));
  if (font_->findText(Q(e.font_name)) < 0) font_->addItem(Q(e.font_name));  // a font not installed here
  font_->setCurrentText(Q(e.font_name));
  size_->setValue(e.font_size);
  visible_->setChecked(e.visible);
  for (QWidget* editor : std::initializer_list<QWidget*>{layout_, font_, size_, visible_}) editor->setEnabled(true);
  selected_name_->setText((e.caption.empty() ? QString() : Q(e.caption) + "  ") + "(" + Q(key->name) + ")");
  MarkSelected();
}

void KeyboardPageView::EditText(KeyText field, const QString& text) {
  if (!editing_) return;
  if (const std::optional<std::string> refused = model_.SetText(field, text.toStdString())) {
    QMessageBox::warning(this, window()->windowTitle(), Q(*refused));
    editing_ = false;
    ShowSelected();  // the value the key still has
    editing_ = true;
    return;
  }
  KeyChanged();
}

void KeyboardPageView::KeyChanged() {
  const NamedKeyboardEntry* key = model_.Selected();
  if (KeyButton* button = keyboard_->Key(key->name)) {
    KeyboardPages::ApplyEntry(*button, key->entry);
    FitKeyboard();
    button->update();
  }
  emit Edited();
}

void KeyboardPageView::OfferToSave(bool applying) {
  if (!model_.Customised()) return;
  QString question = "The keyboard has been customised. ";
  if (applying) question += "Your current settings will be saved for use with Tarnwick.";
  question += "\nDo you wish to save this configuration so you may re-load it from the menu?";
  if (!ask_yes_no(question)) return;
  const QString folder = Q(session_.folder() + "Language");
  QDir().mkpath(folder);
  const QString chosen = choose_save_file(Q(model_.ProposedFileName()), folder);
  if (chosen.isEmpty()) return;
  const std::string path = model_.SavePath(chosen.toStdString());
  if (QFileInfo::exists(Q(path)) && !ask_yes_no(Q(path) + " already exists.\nDo you want to replace it?")) {
    return;
  }
  try {
    model_.SaveLayout(chosen.toStdString());
  } catch (const SetupFileError& e) {
    QMessageBox::critical(this, window()->windowTitle(), Q(e.what()));
  }
  RefreshLayoutList();
}

void KeyboardPageView::ChooseLayout(const QString& name) {
  if (name.isEmpty()) return;
  OfferToSave(false);
  try {
    model_.ChooseLayout(name.toStdString());
  } catch (const SetupFileError& e) {
    QMessageBox::critical(this, window()->windowTitle(), "The layout could not be read: " + Q(e.what()));
    return;
  }
  ClearEditors();
  ShowKeys();
  RefreshLayoutList();
  const QSignalBlocker block(layouts_);
  layouts_->setCurrentText(name);
  sub_pages_->setCurrentIndex(0);
  emit LayoutChosen();
}

void KeyboardPageView::Synch() {
  std::vector<std::string> names;
  for (int i = 1; i < layouts_->count(); ++i) names.push_back(layouts_->itemText(i).toStdString());
  if (const std::optional<std::string> name = model_.SynchChoice(names)) ChooseLayout(Q(*name));
}

}  // namespace tw
