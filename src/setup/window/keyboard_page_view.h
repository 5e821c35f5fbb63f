// The Keyboard page: the kiosk's keyboard (both pages, every key) filling the page, where
// a click selects a key for editing and never types, with three sub-pages: "Key Values"
// (the selected key's editors and Swap), "Load Keyboard" (the machine's layout, the
// layouts of Language/, Synch) and "Audio" (the key sounds' fields). The rules are
// KeyboardPageModel's; this shows them and asks the operator's questions.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "setup/model/keyboard_page_model.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace tw {

class ButtonSoundPlayer;
class KeyboardController;
class KeyboardPages;

class KeyboardPageView : public QWidget {
  Q_OBJECT

 public:
  KeyboardPageView(SetupSession& session, std::string system_layout, QWidget* parent = nullptr);
  ~KeyboardPageView() override;

  KeyboardPageModel& model() { return model_; }
  KeyboardPages* keyboard() const { return keyboard_; }
  KeyboardController* controller() const { return controller_; }
  QTabWidget* subPages() const { return sub_pages_; }
  QComboBox* layouts() const { return layouts_; }
  QPushButton* synch() const { return synch_; }
  QPushButton* swap() const { return swap_; }
  QLabel* systemName() const { return system_name_; }
  QLabel* virtualName() const { return virtual_name_; }
  // The line editors of the legends and the send string (not the font).
  QLineEdit* textEditor(KeyText field) const { return texts_[static_cast<std::size_t>(field)]; }
  QComboBox* fontEditor() const { return font_; }
  QComboBox* layoutEditor() const { return layout_; }
  QSpinBox* sizeEditor() const { return size_; }
  QCheckBox* visibleEditor() const { return visible_; }
  // The Audio sub-page, for the key sounds' fields.
  QWidget* audioPage() const { return audio_; }

  // The configuration was replaced: shows its keys, nothing selected.
  void Restart();
  // Shows the keys as the configuration has them, with the key sounds.
  void ShowKeys();
  // Selects a key as a click on it does.
  void SelectKey(const QString& name);
  // Chooses a layout of the list (after offering to save a customised keyboard).
  void ChooseLayout(const QString& name);
  void Synch();
  // Offers to save a customised keyboard as a layout file; `applying` adds that the
  // settings are also saved for the kiosk. Does nothing when the keyboard is unchanged.
  void OfferToSave(bool applying);

  // The operator's answers; dialogs by default, replaced by tests.
  std::function<bool(const QString& question)> ask_yes_no;
  // The file chosen in the save dialog (proposed name, start folder), empty for Cancel.
  std::function<QString(const QString& proposed, const QString& folder)> choose_save_file;

 signals:
  // The operator changed a key.
  void Edited();
  // A layout was chosen: the keys and messages changed.
  void LayoutChosen();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Places the keys for the page's width, at most at their design size.
  void FitKeyboard();
  // Frames the selected key (hides the frame when none is).
  void MarkSelected();
  void BuildKeyValues(QWidget* page);
  void BuildLoadKeyboard(QWidget* page);
  void ShowSelected();
  void ClearEditors();
  void RefreshLayoutList();
  void KeyChanged();
  void EditText(KeyText field, const QString& text);

  SetupSession& session_;
  KeyboardPageModel model_;
  std::unique_ptr<ButtonSoundPlayer> sounds_;
  KeyboardController* controller_ = nullptr;
  KeyboardPages* keyboard_ = nullptr;
  QTabWidget* sub_pages_ = nullptr;
  QWidget* audio_ = nullptr;
  QLabel* selected_name_ = nullptr;
  QFrame* selection_ = nullptr;
  std::array<QLineEdit*, 6> texts_{};
  QComboBox* layout_ = nullptr;
  QComboBox* font_ = nullptr;
  QSpinBox* size_ = nullptr;
  QCheckBox* visible_ = nullptr;
  QPushButton* swap_ = nullptr;
  QLabel* system_name_ = nullptr;
  QLabel* virtual_name_ = nullptr;
  QComboBox* layouts_ = nullptr;
  QPushButton* synch_ = nullptr;
  bool editing_ = false;  // the editors show a key's values that the operator may change
};

}  // namespace tw
