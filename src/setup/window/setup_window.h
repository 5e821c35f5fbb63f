// The Setup Manager's main window: the command column and the twelve pages. It shows the
// session's configuration and forwards the commands; the session and the model decide.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "setup/model/setup_geometry.h"
#include "setup/model/setup_session.h"
#include "setup/window/setup_pages.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSystemTrayIcon;
class QTabWidget;

namespace tw {

class SetupWindow : public QWidget {
  Q_OBJECT

 public:
  enum Command { kOpen, kSaveAs, kManual, kSetDir, kTaskbar, kCancel, kOk, kRevert, kCommandCount };

  // `read_only`: the folder cannot be written (`why` says so); OK is then unavailable.
  SetupWindow(SetupSession& session, bool read_only, const QString& why, QWidget* parent = nullptr);

  QTabWidget* tabs() const { return tabs_; }
  const SetupPages& pages() const { return pages_; }
  QPushButton* button(Command command) const { return buttons_[command]; }
  QScrollArea* scroller() const { return scroller_; }
  QComboBox* layouts() const { return layouts_; }
  QWidget* contents() const { return contents_; }

  void ApplyGeometry(const SetupWindowGeometry& geometry);

  // The commands, as the buttons and the tray menu run them.
  void Open();
  void SaveAs();
  void Manual();
  void SetDir();
  void Taskbar();
  void Ok();
  void Revert();

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
  // "Virtual keyboard": the layouts of the Language folder, on the Keyboard page.
  void BuildLayoutChooser();

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
  QComboBox* layouts_ = nullptr;
};

}  // namespace tw
