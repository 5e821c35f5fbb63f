// The main window over the demo configuration: every control shows its key and writes it
// back, the list editors change their lists, and the window fits small screens.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QtTest>
#include <filesystem>
#include <set>

#include "common/keyboard/keyboard_layout_names.h"
#include "setup/model/setup_fields.h"
#include "setup/window/clock_preview.h"
#include "setup/window/documentation_chooser.h"
#include "setup/window/keyboard_page_view.h"
#include "setup/window/field_binding.h"
#include "setup/window/list_editor.h"
#include "setup/window/notes_editor.h"
#include "setup/window/setup_window.h"
#include "support/demo_folder.h"
#include "support/file_text.h"
#include "support/temp_dir.h"
#include "fakes/fake_system_keyboard.h"
#include "widgets/analog_clock.h"
#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"
#include "widgets/keyboard_pages.h"

namespace tw {
namespace {

std::string Stored(const SetupSession& session, const SetupField& field) {
  if (field.control == FieldControl::kMessage) return session.config().Message(field.message);
  return session.config().Value(field.section, field.key);
}

// A value for the field that differs from `current` and that its control can show.
QString OtherValue(const SetupField& field, const QString& current, int round) {
  switch (field.control) {
    case FieldControl::kCheck: return current == "1" ? "0" : "1";
    case FieldControl::kNumber: {
      const int v = round == 0 ? field.maximum : field.minimum + field.step;
      return QString::number(QString::number(v) == current ? field.minimum : v);
    }
    case FieldControl::kChoice:
    case FieldControl::kCommand: {
      const auto& choices = field.choices;
      const std::size_t i = round == 0 ? choices.size() - 1 : 0;
      QString v = QString::fromUtf8(choices[i].value.data(), static_cast<int>(choices[i].value.size()));
      if (v == current) v = QString::fromUtf8(choices[1].value.data(), static_cast<int>(choices[1].value.size()));
      return v;
    }
    case FieldControl::kColour: return round == 0 ? "$00123456" : "$00ABCDEF";
    default:
      return QString("/srv/round%1/%2")
          .arg(round)
          .arg(QString::fromUtf8(field.caption.data(), static_cast<int>(field.caption.size())));
  }
}

}  // namespace

class SetupWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TheWindowShowsItsCommandsAndPages() {
    test::TempDir dir;
    test::CopyDemo(dir);
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    QCOMPARE(window.windowTitle(), QString("Tarnwick Setup Manager v2.1 - Tarnwick.ini[*]"));
    QVERIFY(!window.windowIcon().pixmap(22, 22).isNull());  // what the tray entry shows
    QCOMPARE(window.tabs()->count(), 12);
    QCOMPARE(window.tabs()->tabText(4), QString("Banners && URLs"));
    QCOMPARE(window.tabs()->currentIndex(), 0);
    QCOMPARE(window.button(SetupWindow::kOpen)->toolTip(), QString("Open a configuration"));
    QCOMPARE(window.button(SetupWindow::kOk)->toolTip(), QString("Apply changes to Tarnwick and exit"));
    QCOMPARE(window.button(SetupWindow::kCancel)->toolTip(), QString("Abandon changes and exit"));
    QVERIFY(window.button(SetupWindow::kRevert)->toolTip().startsWith("Revert to saved"));
    window.show();
    QVERIFY(window.button(SetupWindow::kSetDir)->isVisible());  // not the example folder
    QVERIFY(!window.isWindowModified());
    window.pages().fields.front()->Enter(
        OtherValue(window.pages().fields.front()->field(), window.pages().fields.front()->Shown(), 0));
    QVERIFY(window.isWindowModified());

    const SetupWindow read_only(session, true, "Read-only file system");
    QVERIFY(!read_only.button(SetupWindow::kOk)->isEnabled());
  }

  // Every field of the table is on its page once; each shows the configuration's value and
  // writes what is entered.
  void EveryControlLoadsItsKeyAndWritesItBack() {
    test::TempDir dir;
    test::CopyDemo(dir);
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});

    std::multiset<const SetupField*> bound;
    for (FieldBinding* binding : window.pages().fields) bound.insert(&binding->field());
    for (const SetupField& field : SetupFields()) {
      if (field.control == FieldControl::kList || field.control == FieldControl::kNotes ||
          field.control == FieldControl::kPassword) {
        continue;
      }
      QCOMPARE(bound.count(&field), std::size_t{1});
    }

    for (FieldBinding* binding : window.pages().fields) {
      const SetupField& field = binding->field();
      const QString name = QString::fromUtf8(field.caption.data(), static_cast<int>(field.caption.size()));
      // A command entered before wrote other keys too (its address, Mail To); the pages
      // show them again once the event loop runs.
      QCoreApplication::processEvents();
      // Loaded from the demo, or as an earlier field's edit left it.
      QVERIFY2(binding->Shown().toStdString() == Stored(session, field) ||
                   field.control == FieldControl::kNumber,  // a spin box shows numbers only
               qPrintable(name));
      // Entered through the control, it reaches the configuration.
      const QString entered = OtherValue(field, binding->Shown(), 0);
      binding->Enter(entered);
      QVERIFY2(Stored(session, field) == entered.toStdString(), qPrintable(name + ": " + entered));
      // Set in the configuration, a reload shows it.
      const QString set = OtherValue(field, entered, 1);
      if (field.control == FieldControl::kMessage) {
        session.config().SetMessage(field.message, set.toStdString());
      } else {
        session.config().SetValue(field.section, field.key, set.toStdString());
      }
      binding->Load();
      QVERIFY2(binding->Shown() == set, qPrintable(name + ": " + binding->Shown() + " != " + set));
      QVERIFY2(Stored(session, field) == set.toStdString(), qPrintable(name));  // loading writes nothing
    }
  }

  // Choosing a command writes the custom button's address; a new command password goes
  // into the addresses that carry it.
  void CommandsWriteTheButtonsAddresses() {
    test::TempDir dir;
    test::Spit(dir.File("Tarnwick.ini"), "[PREFERENCES]\nCommandPassword=old\n");
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    const auto binding = [&](std::string_view section, std::string_view key) -> FieldBinding* {
      for (FieldBinding* b : window.pages().fields) {
        if (b->field().section == section && b->field().key == key) return b;
      }
      return nullptr;
    };
    binding("BUTTONS", "TWCommand3")->Enter("12");  // print
    QCOMPARE(session.config().Value("BUTTONS", "Custom3URL"), std::string("tw-command:print?old"));
    binding("BUTTONS", "BCustom2TW")->Enter("15");  // Send Mail
    QCOMPARE(session.config().Value("URLS", "BCustom2"), std::string("mailto:"));
    QVERIFY(session.config().Flag("EMAIL", "MailTo"));
    binding("PREFERENCES", "CommandPassword")->Enter("secret");
    QCOMPARE(session.config().Value("BUTTONS", "Custom3URL"), std::string("tw-command:print?secret"));
    QCOMPARE(binding("BUTTONS", "Custom3URL")->Shown(), QString("tw-command:print?secret"));
    QCOMPARE(session.config().Value("URLS", "BCustom2"), std::string("mailto:"));
  }

  // A layout chosen on the Keyboard page brings its messages to the pages.
  void ALayoutChosenShowsItsMessages() {
    test::TempDir dir;
    std::filesystem::create_directories(dir.File("Language"));
    test::Spit(dir.File("Language/German.ini"),
               "[LANGUAGE]\nCurKB=German\n[MESSAGES]\nNewBrowserTitle=Neues Fenster\n");
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    QCOMPARE(window.layouts()->count(), 2);
    QCOMPARE(window.layouts()->itemText(1), QString("German"));
    // The wheel passing over the list loads nothing: the list was not chosen.
    const QPointF at = QRectF(window.layouts()->rect()).center();
    QWheelEvent wheel(at, window.layouts()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.layouts(), &wheel);
    QCOMPARE(session.config().Message(0), std::string("New Browser Window Detected!"));
    QVERIFY(!window.isWindowModified());
    window.layouts()->setCurrentIndex(1);
    emit window.layouts()->activated(1);
    QCOMPARE(session.config().Message(0), std::string("Neues Fenster"));
    for (FieldBinding* b : window.pages().fields) {
      if (b->field().control == FieldControl::kMessage && b->field().message == 0) {
        QCOMPARE(b->Shown(), QString("Neues Fenster"));
      }
    }
    QVERIFY(window.isWindowModified());
    // Another configuration opened over these edits: asked first, and "No" keeps them.
    std::filesystem::create_directories(dir.File("Configurations"));
    test::Spit(dir.File("Configurations/Other.ini"), "[URLS]\nStart=http://other.example/\n");
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
      QString asked;
      QTimer boxes;  // the question, and any notice that follows the opening
      QObject::connect(&boxes, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        if (box->text().startsWith("Discard")) {
          asked = box->text();
          box->button(answer)->click();
        } else {
          box->accept();
        }
      });
      boxes.start(20);
      window.OpenConfiguration(QString::fromStdString(dir.File("Configurations/Other.ini")));
      boxes.stop();
      QVERIFY2(asked.startsWith("Discard the changes you made"), qPrintable(asked));
      QCOMPARE(session.config().Value("URLS", "Start") == "http://other.example/", answer == QMessageBox::Yes);
      if (answer == QMessageBox::No) QVERIFY(window.isWindowModified());
    }
  }

  void AValueOutsideTheChoicesIsKeptUntilChanged() {
    test::TempDir dir;
    test::Spit(dir.File("Tarnwick.ini"), "[PREFERENCES]\nScreenMode=7\n[BUTTONS]\nNumberOfButtons=9\n");
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    for (FieldBinding* binding : window.pages().fields) {
      if (binding->field().key == "ScreenMode") {
        QCOMPARE(binding->Shown(), QString("7"));
        QVERIFY(qobject_cast<QComboBox*>(binding->control())->currentText().contains("kept as it is"));
        binding->Enter("A");
      }
    }
    QCOMPARE(session.config().Value("PREFERENCES", "ScreenMode"), std::string("A"));
    QCOMPARE(session.config().Value("BUTTONS", "NumberOfButtons"), std::string("9"));
  }

  void ListEditorsChangeTheirLists() {
    test::TempDir dir;
    test::CopyDemo(dir);
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    QCOMPARE(window.pages().lists.size(), std::size_t{9});  // eight lists of the table, the exit password
    for (ListEditor* editor : window.pages().lists) {
      const SetupField& field = editor->field();
      const bool password = field.control == FieldControl::kPassword;
      const auto rows = [&] {
        return password ? PasswordRows(session.config().Value("PREFERENCES", "Password"))
                        : session.config().List(field.list);
      };
      const std::size_t before = rows().size();
      QCOMPARE(static_cast<std::size_t>(editor->items()->count()), before);
      editor->PressAdd();
      QCOMPARE(rows().size(), before + 1);
      QCOMPARE(editor->edit().current(), before);
      const QString first = password ? QString("Z") : QString("first-42");
      editor->EnterField(0, first);
      QCOMPARE(QString::fromStdString(rows().back()[0]), first);
      QCOMPARE(editor->items()->item(static_cast<int>(before))->text(),
               password ? QString("Z - Keyboard Button") : first);
      // Delete asks; a Cancel keeps the item.
      QString asked;
      editor->confirm = [&](const QString& question) {
        asked = question;
        return false;
      };
      editor->PressDelete();
      QVERIFY(asked.startsWith("I am about to delete this item?\n"));
      QCOMPARE(rows().size(), before + 1);
      editor->confirm = [](const QString&) { return true; };
      editor->PressDelete();
      QCOMPARE(rows().size(), before);
    }
  }

  void DependentControlsFollowTheirFields() {
    test::TempDir dir;
    test::CopyDemo(dir);
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    const auto binding = [&](std::string_view section, std::string_view key) -> FieldBinding* {
      for (FieldBinding* b : window.pages().fields) {
        if (b->field().section == section && b->field().key == key) return b;
      }
      return nullptr;
    };
    FieldBinding* browser = binding("BROWSER", "Browser");
    QWidget* program = binding("BROWSER", "FileName")->row();
    browser->Enter("1");
    QVERIFY(!program->isEnabled());
    browser->Enter("0");
    QVERIFY(program->isEnabled());

    AnalogClock* clock = window.pages().clock->clock();
    binding("CLOCK", "FaceColour")->Enter("$000000FF");
    QCOMPARE(clock->FaceColor(), QColor(255, 0, 0));
    binding("CLOCK", "TickColour")->Enter("$00FF0000");
    QCOMPARE(clock->HandsColor(), QColor(0, 0, 255));
    binding("CLOCK", "Shape")->Enter("1");
    QCOMPARE(clock->Shape(), ClockShape::kSquare);
    binding("CLOCK", "ShowSeconds")->Enter("0");
    QVERIFY(!clock->ShowSeconds());
  }

  // A problem of one button shows that button in its group's selector.
  void AProblemShowsItsField() {
    test::TempDir dir;
    test::CopyDemo(dir);
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    window.show();
    window.ShowField({ProblemSeverity::kError, kButtonsPage, "", "BUTTONS", "HelpOn", ""});
    QCOMPARE(window.tabs()->currentIndex(), kButtonsPage);
    QWidget* slot = window.pages().ControlFor("BUTTONS", "HelpOn");
    QVERIFY(slot != nullptr);
    QVERIFY(slot->isVisible());
    window.ShowField({ProblemSeverity::kError, kButtonsPage, "", "BUTTONS", "BCustom3On", ""});
    QVERIFY(!slot->isVisible());  // the same group now shows Custom Button 3
    QVERIFY(window.pages().ControlFor("BUTTONS", "BCustom3On")->isVisible());
    window.ShowField({ProblemSeverity::kError, kButtonsPage, "", "BUTTONS", "Custom7URL", ""});
    QVERIFY(window.pages().ControlFor("BUTTONS", "Custom7URL")->isVisible());
    window.ShowField({ProblemSeverity::kError, kAttractPage, "", "CAROUSELTIMES", "Time1", ""});
    QCOMPARE(window.tabs()->currentIndex(), kAttractPage);
    QVERIFY(window.pages().ControlFor("CAROUSELTIMES", "Time1")->isVisible());
  }

  void ThePasswordStopsAt255Steps() {
    test::TempDir dir;
    test::Spit(dir.File("Tarnwick.ini"), "[PREFERENCES]\nPassword=" + std::string(255, 'C') + "\n");
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    for (ListEditor* editor : window.pages().lists) {
      if (editor->field().control != FieldControl::kPassword) continue;
      QString told;
      editor->inform = [&](const QString& message) { told = message; };
      editor->PressAdd();
      QCOMPARE(told, QString("You have reached the 255 item limit for the Password"));
      QCOMPARE(session.config().Value("PREFERENCES", "Password").size(), std::size_t{255});
      editor->Load();
      editor->items()->setCurrentRow(3);
      editor->EnterField(0, "A");
      QCOMPARE(session.config().Value("PREFERENCES", "Password").substr(0, 5), std::string("CCCAC"));
    }
  }

  // "Manual": the shipped guide is shown whole in the chooser (no control word of the
  // rich text left over); a missing guide or document is reported with its real path.
  void TheDocumentationChooserShowsTheGuideAndNamesWhatIsMissing() {
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path()) + "/Documentation/";
    QVERIFY(QDir().mkpath(folder));
    {
      DocumentationChooser empty(folder);
      QString told;
      QTimer::singleShot(0, [&told] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        told = box->text();
        box->close();
      });
      QTest::mouseClick(empty.guide_button(), Qt::LeftButton);
      QVERIFY2(told.endsWith("The specified file, " + folder + "10Guide.rtf was not found."), qPrintable(told));
      QCOMPARE(empty.result(), int(QDialog::Rejected));
    }
    QVERIFY(QFile::copy(TARNWICK_SOURCE_DIR "/docs/10Guide.rtf", folder + "10Guide.rtf"));
    DocumentationChooser chooser(folder);
    chooser.show();
    QTest::mouseClick(chooser.guide_button(), Qt::LeftButton);
    QCOMPARE(chooser.windowTitle(), QString("Getting started with Tarnwick in Ten Minutes"));
    QCOMPARE(chooser.size(), QSize(645, 582));
    QVERIFY(chooser.print_button()->isVisible());
    const QString text = chooser.guide()->toPlainText();
    QVERIFY(text.startsWith("Getting started with Tarnwick in Ten Minutes"));
    QVERIFY(text.contains("7. Save and restart"));
    QVERIFY2(!text.contains('\\') && !text.contains('{') && !text.contains('}'), qPrintable(text));
    QVERIFY(chooser.chosen().isEmpty());

    const struct {
      QString folder;
      QString told;
    } missing[] = {
        {folder + "none/", "The specified path, " + folder + "none/ was not found."},
        {folder, "The specified file, " + folder + "setup-manager.html was not found."},
    };
    for (const auto& row : missing) {
      const QString told = DocumentationChooser::OpenDocument(row.folder, DocumentationChooser::kHtmlFile);
      QVERIFY2(told.startsWith("Setup Manager tried to view your Tarnwick Technical Documentation.") &&
                   told.endsWith(row.told),
               qPrintable(told));
    }
  }

  void ASmallScreenGetsAShorterWindowThatScrolls() {
    test::TempDir dir;
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    window.ApplyGeometry(SetupGeometryForScreen(800, 600));
    window.show();
    QCOMPARE(window.height(), 550);
    QCOMPARE(window.contents()->minimumHeight(), 800);
    QCOMPARE(window.button(SetupWindow::kOpen)->y(), 136);
    QCOMPARE(window.button(SetupWindow::kOk)->y(), 376);
    QTRY_VERIFY_WITH_TIMEOUT(window.scroller()->verticalScrollBar()->maximum() > 0, 5000);
    window.ApplyGeometry(SetupGeometryForScreen(1024, 768));
    QCOMPARE(window.height(), 600);
    QCOMPARE(window.button(SetupWindow::kOpen)->y(), 176);
  }

  // The Keyboard page: a click on a key selects it for editing and types nothing, an
  // edit shows on the key at once, a refused legend changes nothing, and a customised
  // keyboard is offered for saving into Language/ before another layout is chosen.
  void KeyboardPageSelectsEditsAndSavesKeys() {
    test::TempDir dir;
    test::CopyDemo(dir);
    std::filesystem::create_directories(dir.File("Language"));
    for (const char* name : {"English", "German", "French"}) {
      std::filesystem::copy_file(std::string(TARNWICK_SOURCE_DIR) + "/demo/Language/" + name + ".ini",
                                 dir.File(std::string("Language/") + name + ".ini"));
    }
    const std::string live_language = test::Slurp(dir.File("TWLang.ini"));
    SetupSession session(dir.path());
    const test::FakeSystemKeyboard german("German");
    SetupWindow window(session, false, {}, nullptr, &german);
    window.show();
    window.tabs()->setCurrentIndex(kKeyboardPage);
    KeyboardPageView* page = window.keyboardPage();
    QCOMPARE(page->systemName()->text(), QString("German"));
    QCOMPARE(page->virtualName()->text(), QString("English"));
    QVERIFY(page->synch()->isEnabled());
    QCOMPARE(page->synch()->toolTip(), QString("Synchronise with system keyboard"));
    QVERIFY(!page->textEditor(KeyText::kTopLeft)->isEnabled());

    // A click on Shift or on a letter selects; no latch turns on, nothing is typed.
    KeyButton* shift = page->keyboard()->Key("KShiftLeft");
    QTest::mouseClick(shift, Qt::LeftButton);
    QVERIFY(!page->controller()->Latched(KeyType::kShift));
    QCOMPARE(page->textEditor(KeyText::kTopLeft)->text(), QString("Shift"));
    // A key the kiosk hides can be selected here, and shown.
    KeyButton* alt_gr = page->keyboard()->Key("KAltGrLeft");
    QVERIFY(alt_gr->isVisible());
    QTest::mouseClick(alt_gr, Qt::LeftButton);
    QCOMPARE(page->textEditor(KeyText::kTopLeft)->text(), QString("Alt Gr"));
    QVERIFY(!page->visibleEditor()->isChecked());
    KeyButton* q = page->keyboard()->Key("VX4KeyButton39");
    QTest::mouseClick(q, Qt::LeftButton);
    QCOMPARE(page->textEditor(KeyText::kTopLeft)->text(), QString("Q"));
    QCOMPARE(page->textEditor(KeyText::kSendString)->text(), QString("q"));
    QCOMPARE(page->layoutEditor()->currentText(), QString("Letter"));
    QVERIFY(page->textEditor(KeyText::kTopLeft)->isEnabled());
    QVERIFY(!page->textEditor(KeyText::kTopRight)->isVisible());
    QVERIFY(!page->model().Customised());
    QVERIFY(!window.isWindowModified());

    // The key on the page is the preview: an edited legend is drawn at once.
    const QImage before = q->grab().toImage();
    QLineEdit* top_left = page->textEditor(KeyText::kTopLeft);
    top_left->selectAll();
    QTest::keyClicks(top_left, "W");
    QCOMPARE(q->Legend().captions[0], QString("W"));
    QVERIFY(q->grab().toImage() != before);
    QCOMPARE(session.config().Keys()[18].entry.caption, std::string("W"));
    QVERIFY(page->model().Customised());
    QVERIFY(window.isWindowModified());

    // A legend the language file would split is refused with a message; the key keeps W.
    QString told;
    QTimer::singleShot(0, [&told] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        told = box->text();
        box->accept();
      }
    });
    QTest::keyClicks(top_left, "\",");
    QVERIFY(told.contains("would split"));
    QCOMPARE(q->Legend().captions[0], QString("W\""));  // the quote alone was taken, the comma refused
    QCOMPARE(top_left->text(), QString("W\""));

    // The keys sound here only while "Apply sounds in Setup Manager also" is ticked.
    const auto sound_field = [&window](std::string_view key) -> FieldBinding* {
      for (FieldBinding* b : window.pages().fields) {
        if (b->field().section == "SOUNDS" && b->field().key == key) return b;
      }
      return nullptr;
    };
    sound_field("Keyboard")->Enter("3");
    sound_field("ApplyToManager")->Enter("0");
    QCOMPARE(q->Sound(), KeySound::kNone);
    sound_field("ApplyToManager")->Enter("1");
    QCOMPARE(q->Sound(), KeySound::kExclamation);

    // Swap shows the other page.
    QCOMPARE(page->keyboard()->currentIndex(), 0);
    page->swap()->click();
    QCOMPARE(page->keyboard()->currentIndex(), 1);

    // Synch chooses German; first the customised keyboard is offered for saving, into
    // Language/ whatever folder the dialog was in.
    QStringList asked;
    page->ask_yes_no = [&asked](const QString& question) {
      asked << question;
      return true;
    };
    QString proposed;
    page->choose_save_file = [&proposed](const QString& name, const QString&) {
      proposed = name;
      return QString("/nowhere/My Keys.ini");
    };
    page->synch()->click();
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked.front().startsWith("The keyboard has been customised. \nDo you wish"));
    QCOMPARE(proposed, QString("Custom English.ini"));
    QVERIFY(ProfileText(test::Slurp(dir.File("Language/My Keys.ini")))
                .Get("KEYBOARD", "VX4KeyButton39")
                ->starts_with("\"W\"\""));
    QCOMPARE(page->layouts()->currentText(), QString("German"));
    QCOMPARE(page->virtualName()->text(), QString("German"));
    QCOMPARE(page->keyboard()->Key("VX4KeyButton44")->Legend().captions[0], QString("Z"));
    QVERIFY(!page->textEditor(KeyText::kTopLeft)->isEnabled());
    QCOMPARE(page->sizeEditor()->value(), 1);
    QVERIFY(page->layouts()->findText("My Keys") > 0);
    // Customised again, then the save dialog cancelled: no file is written, and the layout
    // chosen is loaded all the same.
    page->SelectKey("VX4KeyButton44");
    QTest::keyClicks(page->textEditor(KeyText::kBottomRight), "!");
    page->choose_save_file = [&proposed](const QString& name, const QString&) {
      proposed = name;
      return QString();
    };
    const auto files = std::distance(std::filesystem::directory_iterator(dir.File("Language")), {});
    page->ChooseLayout("French");
    QCOMPARE(asked.size(), 2);
    QCOMPARE(proposed, QString("Custom German.ini"));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(dir.File("Language")), {}), files);
    QCOMPARE(page->virtualName()->text(), QString("French"));
    // Nothing of this reached the live files.
    QCOMPARE(test::Slurp(dir.File("TWLang.ini")), live_language);

    // Without a name for the machine's layout, Synch is off.
    const test::FakeSystemKeyboard unknown{std::string(kUnknownKeyboardLayout)};
    SetupWindow other(session, false, {}, nullptr, &unknown);
    QCOMPARE(other.keyboardPage()->systemName()->text(), QString("Unknown keyboard layout"));
    QVERIFY(!other.keyboardPage()->synch()->isEnabled());
  }

  // With TARNWICK_SCREENSHOT_DIR set, pictures of four pages for a person to look at.
  void Screenshots() {
    const QByteArray out = qgetenv("TARNWICK_SCREENSHOT_DIR");
    if (out.isEmpty()) QSKIP("TARNWICK_SCREENSHOT_DIR not set");
    test::TempDir dir;
    test::CopyDemo(dir);
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    window.show();
    for (int page :
         {kPreferencesPage, kButtonsPage, kAttractPage, kBannersPage, kBusyBarPage, kSecurityPage, kKeyboardPage}) {
      window.tabs()->setCurrentIndex(page);
      QTest::qWait(100);  // the page's layout runs
      QVERIFY(window.grab().save(QString("%1/setup-page-%2.png").arg(QString(out)).arg(page)));
    }
    // The Keyboard page with the German layout and a key selected, and its other two
    // sub-pages.
    std::filesystem::copy(std::string(TARNWICK_SOURCE_DIR) + "/demo/Language", dir.File("Language"));
    KeyboardPageView* keyboard = window.keyboardPage();
    keyboard->Restart();
    keyboard->ChooseLayout("German");
    keyboard->SelectKey("VX4KeyButton39");
    for (int sub = 0; sub < 3; ++sub) {
      keyboard->subPages()->setCurrentIndex(sub);
      QTest::qWait(100);
      QVERIFY(window.grab().save(QString("%1/setup-keyboard-%2.png").arg(QString(out)).arg(sub)));
    }
  }
};

}  // namespace tw

QTEST_MAIN(tw::SetupWindowTest)
#include "setup_window_test.moc"
