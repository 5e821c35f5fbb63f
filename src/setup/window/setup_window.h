// The Setup Manager's main window: the command column and the twelve pages. It shows the
// session's configuration and forwards the commands; the session and the model decide.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "setup/model/setup_geometry.h"
#include "setup/model/setup_session.h"
#include "setup/window/browser_check_dialog.h"
#include "setup/window/setup_pages.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSystemTrayIcon;
class QTabWidget;

namespace tw {

class KeyboardPageView;
class SystemKeyboard;

class SetupWindow : public QWidget {
  Q_OBJECT

 public:
  enum Command { kOpen, kSaveAs, kManual, kSetDir, kTaskbar, kCancel, kOk, kRevert, kCommandCount };

  // `read_only`: the folder cannot be written (`why` says so); OK is then unavailable.
  // `system_keyboard` names the machine's layout; without one the X server is asked.
  SetupWindow(SetupSession& session, bool read_only, const QString& why, QWidget* parent = nullptr,
              const SystemKeyboard* system_keyboard = nullptr);

  QTabWidget* tabs() const { return tabs_; }
  const SetupPages& pages() const { return pages_; }
  QPushButton* button(Command command) const { return buttons_[command]; }
  QScrollArea* scroller() const { return scroller_; }
  QComboBox* layouts() const;
  KeyboardPageView* keyboardPage() const { return keyboard_; }
  QWidget* contents() const { return contents_; }

  void ApplyGeometry(const SetupWindowGeometry& geometry);

  // The commands, as the buttons and the tray menu run them.
  void Open();
  // Open's second half, once a file is chosen: asks before unsaved edits are discarded.
  void OpenConfiguration(const QString& path);
  void SaveAs();
  ScreenSize ThisScreen() const;
  void Manual();
  void SetDir();
  void Taskbar();
  void Ok();
  void Revert();

  // The external-browser check that OK runs first when the kiosk is to use that browser;
  // its new program and the switch to the embedded browser are taken into the pages.
  void CheckExternalBrowser();
  // For tests: the check's questions answered without message boxes.
  void SetBrowserCheckQuestions(BrowserCheckDialog::Questions questions) { browser_questions_ = std::move(questions); }

  // Shows a problem's field.
  void ShowField(const SetupProblem& problem);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Reload();
  void UpdateCaption();
  // Shows the problems found before a save; true when the save may go on.
  bool AcceptProblems(const std::vector<SetupProblem>& problems);
  void OfferRestart();
  void BuildTray();
  // The Keyboard page's keyboard and sub-pages; the key sounds' fields go to "Audio".
  void BuildKeyboardPage(const SystemKeyboard* system_keyboard);

  SetupSession& session_;
  bool read_only_;
  bool closing_saved_ = false;
  std::string command_password_;  // as the buttons' addresses last got it
  QScrollArea* scroller_;
  QWidget* contents_;
  QWidget* column_;
  QTabWidget* tabs_;
  QLabel* notice_;
  std::array<QPushButton*, kCommandCount> buttons_{};
  SetupPages pages_;
  QSystemTrayIcon* tray_ = nullptr;
  KeyboardPageView* keyboard_ = nullptr;
  BrowserCheckDialog::Questions browser_questions_;
};

}  // namespace tw
