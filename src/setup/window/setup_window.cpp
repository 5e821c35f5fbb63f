#include "setup/window/setup_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/keyboard/keyboard_layout_names.h"
#include "common/config/profile_file.h"
#include "platform/x11qt/x11_desktop_lock.h"
#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/xkb_system_keyboard.h"
#include "setup/model/command_urls.h"
#include "setup/model/set_dir.h"
#include "setup/model/setup_fields.h"
#include "setup/window/display_font_check.h"
#include "setup/window/documentation_chooser.h"
#include "setup/window/keyboard_page_view.h"
#include "setup/window/problems_dialog.h"
#include "widgets/program_icon.h"

namespace tw {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

struct CommandSpec {
  const char* caption;
  const char* tooltip;
};
constexpr std::array<CommandSpec, SetupWindow::kCommandCount> kCommands = {{
    {"Open", "Open a configuration"},
    {"Save As", "Save a copy of the current configuration"},
    {"Manual", "View the Tarnwick technical documentation in your browser"},
    {"Set Dir", "Auto configure Tarnwick example settings for non-default installation path"},
    {"Taskbar", "Ensure that the desktop's panels are available"},
    {"Cancel", "Abandon changes and exit"},
    {"OK", "Apply changes to Tarnwick and exit"},
    {"Revert", "Revert to saved: show the settings of the files again"},
}};

constexpr const char* kConfigurationFilter = "Tarnwick Configuration files (*.ini)";
// The package's unit, or one the operator wrote.
bool KioskUnitExists() {
  return QFileInfo::exists("/etc/systemd/system/tarnwick.service") ||
         QFileInfo::exists("/usr/lib/systemd/system/tarnwick.service") ||
         QFileInfo::exists("/lib/systemd/system/tarnwick.service");
}

}  // namespace

SetupWindow::SetupWindow(SetupSession& session, bool read_only, const QString& why, QWidget* parent,
                         const SystemKeyboard* system_keyboard)
    : QWidget(parent),
      session_(session),
      read_only_(read_only),
      scroller_(new QScrollArea(this)),
      contents_(new QWidget),
      column_(new QWidget(contents_)),
      tabs_(new QTabWidget(contents_)),
      notice_(new QLabel(this)) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroller_);
  outer->addWidget(notice_);
  scroller_->setWidgetResizable(true);
  scroller_->setWidget(contents_);
  auto* row = new QHBoxLayout(contents_);
  column_->setFixedWidth(96);
  row->addWidget(column_);
  row->addWidget(tabs_, 1);

  for (int c = 0; c < kCommandCount; ++c) {
    auto* button = new QPushButton(kCommands[c].caption, column_);
    button->setToolTip(kCommands[c].tooltip);
    button->resize(80, 28);
    buttons_[c] = button;
  }
  connect(buttons_[kOpen], &QPushButton::clicked, this, &SetupWindow::Open);
  connect(buttons_[kSaveAs], &QPushButton::clicked, this, &SetupWindow::SaveAs);
  connect(buttons_[kManual], &QPushButton::clicked, this, &SetupWindow::Manual);
  connect(buttons_[kSetDir], &QPushButton::clicked, this, &SetupWindow::SetDir);
  connect(buttons_[kTaskbar], &QPushButton::clicked, this, &SetupWindow::Taskbar);
  connect(buttons_[kCancel], &QPushButton::clicked, this, &QWidget::close);
  connect(buttons_[kOk], &QPushButton::clicked, this, &SetupWindow::Ok);
  connect(buttons_[kRevert], &QPushButton::clicked, this, &SetupWindow::Revert);
  buttons_[kSetDir]->setVisible(OffersSetDir(session_.folder()));
  buttons_[kOk]->setEnabled(!read_only_);

  pages_ = BuildSetupPages(session_, tabs_);
  BuildKeyboardPage(system_keyboard);
  const auto captions = SetupPageCaptions();
  for (std::size_t p = 0; p < captions.size(); ++p) tabs_->addTab(pages_.pages[p], Q(captions[p]));
  pages_.OnEdited(this, [this] {
    // A new command password goes into the addresses of the buttons whose command carries it.
    const std::string& password = session_.config().Value("PREFERENCES", "CommandPassword");
    if (password != command_password_) {
      command_password_ = password;
      if (ApplyCommandPassword(session_.config()) > 0) pages_.LoadButtons();
    }
    pages_.UpdateDependents();
    UpdateCaption();
  });
  for (FieldBinding* field : pages_.fields) {
    connect(
        field, &FieldBinding::OthersChanged, this, [this] { pages_.Load(); }, Qt::QueuedConnection);
    connect(field, &FieldBinding::WantPage, tabs_, &QTabWidget::setCurrentIndex);
  }
  for (ListEditor* list : pages_.lists)
    connect(list, &ListEditor::OthersChanged, this, [this] { pages_.LoadButtons(); });
  tabs_->setCurrentIndex(kPreferencesPage);

  QStringList notices;
  for (const std::string& notice : session_.notices()) notices << QString::fromStdString(notice);
  if (read_only_)
    notices << "The folder " + QString::fromStdString(session_.folder()) + " cannot be written (" + why +
                   "): you can look at the settings but not apply them.";
  notice_->setText(notices.join('\n'));
  notice_->setVisible(!notices.isEmpty());
  notice_->setWordWrap(true);

  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  ApplyGeometry(SetupGeometryForScreen(area.width(), area.height()));
  move(area.center() - rect().center());
  Reload();
  // The tray entry shows only its picture: without one it is there but cannot be seen.
  setWindowIcon(ProgramIcon());
  BuildTray();
}

void SetupWindow::ApplyGeometry(const SetupWindowGeometry& geometry) {
  for (int c = 0; c < kOk + 1; ++c) buttons_[c]->move(8, geometry.button_tops[c]);
  buttons_[kRevert]->move(8, geometry.button_tops[kOk] + 60);
  contents_->setMinimumHeight(geometry.scroll_height);
  resize(geometry.width, geometry.height);
}

void SetupWindow::Reload() {
  command_password_ = session_.config().Value("PREFERENCES", "CommandPassword");
  pages_.Load();
  keyboard_->Restart();
  UpdateCaption();
}

void SetupWindow::UpdateCaption() {
  setWindowTitle(QString::fromStdString(session_.Caption()) + "[*]");
  setWindowModified(session_.HasUnsavedChanges());
}

bool SetupWindow::AcceptProblems(const std::vector<SetupProblem>& problems) {
  if (problems.empty()) return true;
  ProblemsDialog dialog(problems, this);
  const bool go_on = dialog.exec() == QDialog::Accepted;
  if (dialog.chosen() >= 0) ShowField(problems[static_cast<std::size_t>(dialog.chosen())]);
  return go_on;
}

void SetupWindow::ShowField(const SetupProblem& problem) {
  if (problem.page >= 0) tabs_->setCurrentIndex(problem.page);
  QWidget* control = pages_.ControlFor(problem.section, problem.key);
  if (control == nullptr) return;
  // A button's fields are on its own page of the group's selector.
  for (QWidget* w = control; w != nullptr; w = w->parentWidget()) {
    if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget())) stack->setCurrentWidget(w);
  }
  control->setFocus();
}

void SetupWindow::Open() {
  const QString path = QFileDialog::getOpenFileName(
      this, "Open a configuration", QString::fromStdString(session_.ConfigurationsFolder()), kConfigurationFilter);
  if (!path.isEmpty()) OpenConfiguration(path);
}

void SetupWindow::OpenConfiguration(const QString& path) {
  if (session_.HasUnsavedChanges() &&
      QMessageBox::question(this, windowTitle(), "Discard the changes you made and open " + path + "?") !=
          QMessageBox::Yes) {
    return;
  }
  keyboard_->OfferToSave(false);
  std::optional<std::string> notice;
  try {
    notice = session_.Open(path.toStdString());
  } catch (const SetupFileError& e) {
    QMessageBox::critical(this, windowTitle(), QString::fromStdString(e.what()));
    return;
  }
  Reload();
  if (notice) QMessageBox::information(this, windowTitle(), QString::fromStdString(*notice));
}

QComboBox* SetupWindow::layouts() const { return keyboard_->layouts(); }

void SetupWindow::BuildKeyboardPage(const SystemKeyboard* system_keyboard) {
  std::string system_layout(kUnknownKeyboardLayout);
  if (system_keyboard != nullptr) {
    system_layout = system_keyboard->LayoutName();
  } else if (const X11Display display; display) {
    system_layout = XkbSystemKeyboard(display).LayoutName();
  }
  auto* scroll = qobject_cast<QScrollArea*>(pages_.pages[kKeyboardPage]);
  QWidget* page = scroll->widget();
  keyboard_ = new KeyboardPageView(session_, system_layout, page);
  for (QGroupBox* group : page->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
    keyboard_->audioPage()->layout()->addWidget(group);
  }
  qobject_cast<QVBoxLayout*>(page->layout())->insertWidget(0, keyboard_);
  connect(keyboard_, &KeyboardPageView::Edited, this, &SetupWindow::UpdateCaption);
  connect(keyboard_, &KeyboardPageView::LayoutChosen, this, [this] {
    pages_.Load();
    UpdateCaption();
  });
  // The key sounds follow their fields.
  pages_.OnEdited(this, [this] { keyboard_->ShowKeys(); });
}

// The kiosk runs on the screen the Setup Manager is shown on.
ScreenSize SetupWindow::ThisScreen() const {
  const QScreen* shown_on = screen();
  if (shown_on == nullptr) return {};
  return {shown_on->geometry().width(), shown_on->physicalSize().width()};
}

void SetupWindow::SaveAs() {
  QFileDialog dialog(this, "Save current configuration as ...", QString::fromStdString(session_.ConfigurationsFolder()),
                     kConfigurationFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("ini");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const std::string path = dialog.selectedFiles().first().toStdString();
  if (!AcceptProblems(ValidateSetup(session_.config(), ThisScreen()))) return;
  try {
    // Validated above; what is left is only the writing.
    session_.SaveAs(path);
  } catch (const SetupFileError& e) {
    QMessageBox::critical(this, windowTitle(), "Unable to write to " + QString::fromStdString(e.what()));
  }
  UpdateCaption();
}

void SetupWindow::Manual() {
  const QString folder = QString::fromStdString(session_.folder()) + "Documentation/";
  DocumentationChooser chooser(folder, this);
  if (chooser.exec() != QDialog::Accepted || chooser.chosen().isEmpty()) return;
  const QString error = DocumentationChooser::OpenDocument(folder, chooser.chosen());
  if (!error.isEmpty()) QMessageBox::warning(this, chooser.windowTitle(), error);
}

void SetupWindow::SetDir() {
  if (CountExamplePaths(session_.config()) == 0) {
    QMessageBox::information(this, windowTitle(), QString::fromStdString(SetDirNotFoundText()));
    return;
  }
  if (QMessageBox::warning(this, windowTitle(), QString::fromStdString(SetDirQuestionText(session_.folder())),
                           QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
    return;
  }
  RebaseExamplePaths(session_.config(), session_.folder());
  Reload();
}

void SetupWindow::Taskbar() {
  X11DesktopLock desktop;
  if (!desktop.Available()) {
    QMessageBox::warning(this, windowTitle(), "There is no X display whose panels could be shown.");
    return;
  }
  const std::size_t shown = desktop.ShowAllDockWindows();
  QMessageBox::information(this, windowTitle(),
                           shown == 0 ? QString("No hidden panel of the desktop was found.")
                                      : QString("%1 hidden panel(s) of the desktop shown again.").arg(shown));
}

void SetupWindow::CheckExternalBrowser() {
  // As the kiosk reads it: a value that is not a number keeps the default, the external browser.
  const auto browser = ParseProfileInteger(session_.config().Value("BROWSER", "Browser"));
  if (browser && *browser != 0) return;
  BrowserCheckDialog check(session_.config().Value("BROWSER", "FileName"), session_.folder(), this, browser_questions_);
  // Over the window, below its title.
  const QRect frame = frameGeometry();
  check.setGeometry(frame.x() + 4, frame.y() + 23, frame.width() - 7, frame.height() - 25);
  check.exec();
  if (check.pathChanged()) session_.config().SetValue("BROWSER", "FileName", check.fileName());
  if (check.switchedToEmbedded()) session_.config().SetValue("BROWSER", "Browser", "1");
  if (check.pathChanged() || check.switchedToEmbedded()) {
    pages_.Load();
    pages_.UpdateDependents();
    UpdateCaption();
  }
}

void SetupWindow::Ok() {
  if (read_only_) return;
  CheckExternalBrowser();
  if (!AcceptProblems(ValidateSetup(session_.config(), ThisScreen()))) return;
  RunDisplayFontCheck(this);
  keyboard_->OfferToSave(true);
  bool overwrite = false;
  if (session_.ChangedOnDisk()) {
    QMessageBox ask(
        QMessageBox::Warning, windowTitle(),
        QString::fromStdString(session_.paths().tarnwick) + " was changed by another program since it was loaded.",
        QMessageBox::NoButton, this);
    QPushButton* replace = ask.addButton("Overwrite it", QMessageBox::AcceptRole);
    QPushButton* reload = ask.addButton("Load it (my changes are lost)", QMessageBox::DestructiveRole);
    ask.addButton(QMessageBox::Cancel);
    ask.exec();
    if (ask.clickedButton() == reload) {
      session_.Reload();
      Reload();
      return;
    }
    if (ask.clickedButton() != replace) return;
    overwrite = true;
  }
  try {
    const auto result = session_.Apply(overwrite);
    if (result.outcome != SetupSession::Outcome::kSaved) return;
  } catch (const SetupFileError& e) {
    QMessageBox::critical(this, windowTitle(),
                          "Unable to write to " + QString::fromStdString(e.what()) + "\n\nNothing was changed.");
    return;
  }
  OfferRestart();
  closing_saved_ = true;
  close();
}

void SetupWindow::Revert() {
  if (session_.HasUnsavedChanges() &&
      QMessageBox::question(this, windowTitle(), "Discard the changes you made and show the saved settings?") !=
          QMessageBox::Yes) {
    return;
  }
  try {
    session_.Reload();
  } catch (const SetupFileError& e) {
    QMessageBox::critical(this, windowTitle(),
                          "The configuration could not be read: " + QString::fromStdString(e.what()));
    return;
  }
  Reload();
}

void SetupWindow::OfferRestart() {
  if (!KioskUnitExists()) {
    QMessageBox::information(this, windowTitle(),
                             "The settings are saved. The kiosk reads them when it starts: restart it to use them.");
    return;
  }
  if (QMessageBox::question(this, windowTitle(),
                            "The settings are saved. The kiosk reads them when it starts.\n\nRestart the kiosk now?") !=
      QMessageBox::Yes) {
    return;
  }
  QProcess systemctl;
  systemctl.start("systemctl", {"restart", "tarnwick"});
  const bool finished = systemctl.waitForFinished(30000);
  if (!finished || systemctl.exitStatus() != QProcess::NormalExit || systemctl.exitCode() != 0) {
    QMessageBox::warning(this, windowTitle(),
                         "The kiosk could not be restarted (systemctl restart tarnwick): " +
                             QString::fromLocal8Bit(systemctl.readAllStandardError()).trimmed());
  }
}

void SetupWindow::closeEvent(QCloseEvent* event) {
  if (!closing_saved_ && session_.HasUnsavedChanges() &&
      QMessageBox::question(this, windowTitle(), "Discard the changes you made?") != QMessageBox::Yes) {
    event->ignore();
    return;
  }
  if (tray_ != nullptr) tray_->hide();
  event->accept();
}

void SetupWindow::BuildTray() {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  tray_ = new QSystemTrayIcon(windowIcon(), this);
  tray_->setToolTip("Tarnwick Setup Manager");
  auto* menu = new QMenu(this);
  const auto captions = SetupPageCaptions();
  for (std::size_t p = 0; p < captions.size(); ++p) {
    QAction* action = menu->addAction(Q(captions[p]).trimmed());
    connect(action, &QAction::triggered, this, [this, p] {
      showNormal();
      raise();
      tabs_->setCurrentIndex(static_cast<int>(p));
      tabs_->setFocus();
    });
    if (p == 0) menu->setDefaultAction(action);
  }
  menu->addSeparator();
  connect(menu->addAction("Open"), &QAction::triggered, this, &SetupWindow::Open);
  connect(menu->addAction("Save As"), &QAction::triggered, this, &SetupWindow::SaveAs);
  connect(menu->addAction("Manual"), &QAction::triggered, this, &SetupWindow::Manual);
  QAction* set_dir = menu->addAction("Set Dir");
  connect(set_dir, &QAction::triggered, this, &SetupWindow::SetDir);
  connect(menu, &QMenu::aboutToShow, this, [this, set_dir] { set_dir->setEnabled(buttons_[kSetDir]->isVisible()); });
  connect(menu->addAction("Cancel"), &QAction::triggered, this, &QWidget::close);
  QAction* ok = menu->addAction("OK");
  ok->setEnabled(!read_only_);
  connect(ok, &QAction::triggered, this, &SetupWindow::Ok);
  tray_->setContextMenu(menu);
  connect(tray_, &QSystemTrayIcon::activated, this, [this, menu](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) menu->actions().first()->trigger();
  });
  tray_->show();
}

}  // namespace tw
