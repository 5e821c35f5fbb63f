// The Buttons page: the command chooser's Cancel and the "execute" question leave a
// button as it was, a button running a program follows it through the program list; the
// tool bar preview follows the page's edits; the wheel scrolls pages, not values.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "setup/model/setup_fields.h"
#include "setup/window/command_chooser.h"
#include "setup/window/field_binding.h"
#include "setup/window/list_editor.h"
#include "setup/window/setup_window.h"
#include "setup/window/toolbar_preview.h"
#include "kiosk/panels/panel_button.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

FieldBinding* Binding(const SetupWindow& window, std::string_view section, std::string_view key) {
  for (FieldBinding* b : window.pages().fields) {
    if (SameName(b->field().section, section) && SameName(b->field().key, key)) return b;
  }
  return nullptr;
}

// Enters `value` into the binding and answers the dialog it opens with `answer`; false
// when no dialog came.
bool EnterAndAnswer(FieldBinding* binding, const QString& value, const std::function<void(QWidget*)>& answer) {
  bool asked = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    asked = true;
    answer(dialog);
    // An answer that did not close the dialog fails the test instead of hanging it.
    if (QApplication::activeModalWidget() == dialog) {
      asked = false;
      dialog->close();
    }
  });
  binding->Enter(value);
  return asked;
}

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
  dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

}  // namespace

class ButtonPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void TheChooserAndTheExecuteQuestionKeepTheButton() {
    test::TempDir dir;
    test::Spit(dir.File("Tarnwick.ini"),
               "[PREFERENCES]\nCommandPassword=pw\n[BUTTONS]\nTWCommand3=12\nCustom3URL=tw-command:print?pw\n");
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    FieldBinding* command = Binding(window, "BUTTONS", "TWCommand3");
    const auto unchanged = [&](const char* what) {
      QVERIFY2(session.config().Value("BUTTONS", "TWCommand3") == "12", what);
      QVERIFY2(session.config().Value("BUTTONS", "Custom3URL") == "tw-command:print?pw", what);
      QVERIFY2(command->Shown() == "12", what);
    };

    // Cancel in the custom-button chooser.
    QString title;
    QVERIFY(EnterAndAnswer(command, "4", [&](QWidget* dialog) {
      title = dialog->windowTitle();
      QVERIFY(qobject_cast<CommandChooser*>(dialog)->buttons()->button(1)->isChecked());
      Press(dialog, QDialogButtonBox::Cancel);
    }));
    QCOMPARE(title, QString("tw-command: Custom Buttons"));
    unchanged("custom, Cancel");

    // "execute" with no programs: either answer keeps the command; Yes shows the Command page.
    QString question;
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
      QVERIFY(EnterAndAnswer(command, "6", [&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        question = box->text();
        box->button(answer)->click();
      }));
      unchanged(answer == QMessageBox::No ? "execute, No" : "execute, Yes");
      QCOMPARE(window.tabs()->currentIndex(), answer == QMessageBox::Yes ? kCommandPage : kPreferencesPage);
    }
    QVERIFY(question.startsWith("No program files have been selected."));

    // With programs, the one chosen (a double click acts as OK) and a custom button.
    session.config().SetList(ConfigListId::kPrograms, {{"/bin/a"}, {"/bin/b"}, {"/bin/c"}});
    QVERIFY(EnterAndAnswer(command, "6", [&](QWidget* dialog) {
      QListWidget* list = qobject_cast<CommandChooser*>(dialog)->programs();
      QCOMPARE(list->currentRow(), 0);
      list->setCurrentRow(2);
      emit list->itemDoubleClicked(list->item(2));
    }));
    QCOMPARE(session.config().Value("BUTTONS", "Custom3URL"), std::string("tw-command:execute?3"));
    // The program moved up the list: the button follows it, on screen too.
    for (ListEditor* editor : window.pages().lists) {
      if (editor->field().control != FieldControl::kList || editor->field().list != ConfigListId::kPrograms) continue;
      editor->Load();
      editor->items()->setCurrentRow(2);
      editor->PressUp();
    }
    QCOMPARE(session.config().Value("BUTTONS", "Custom3URL"), std::string("tw-command:execute?2"));
    QCOMPARE(Binding(window, "BUTTONS", "Custom3URL")->Shown(), QString("tw-command:execute?2"));
    QVERIFY(EnterAndAnswer(command, "4", [&](QWidget* dialog) {
      qobject_cast<CommandChooser*>(dialog)->buttons()->button(4)->click();
      Press(dialog, QDialogButtonBox::Ok);
    }));
    QCOMPARE(session.config().Value("BUTTONS", "Custom3URL"), std::string("tw-command:custom4?pw"));
    QCOMPARE(session.config().Value("BUTTONS", "TWCommand3"), std::string("4"));
  }

  void TheToolbarPreviewFollowsTheEdits() {
    test::TempDir dir;
    test::Spit(dir.File("Tarnwick.ini"),
               "[BUTTONS]\nNumberOfButtons=6\nStartOn=1\nBackOn=2\nHelpOn=3\nPrintOn=5\nForwardOn=0\n"
               "StopOn=0\nReloadOn=0\nEmailOn=0\nKeyboardOn=6\n[TEXT]\nPrint=Print\n");
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    ToolbarPreview* preview = window.pages().toolbar;
    QVERIFY(preview != nullptr);
    PanelButton* print = preview->button(ToolbarButtonId::kPrint);
    PanelButton* help = preview->button(ToolbarButtonId::kHelp);
    QVERIFY(!print->isHidden());
    QCOMPARE(print->text(), QString("Print"));
    const int slot3 = help->x();
    QVERIFY(print->x() > slot3);

    // Print to Help's slot, Help hidden.
    Binding(window, "BUTTONS", "HelpOn")->Enter("0");
    Binding(window, "BUTTONS", "PrintOn")->Enter("3");
    QCOMPARE(print->x(), slot3);
    QVERIFY(!print->isHidden());
    QVERIFY(help->isHidden());
    // Eight buttons make the slots narrower.
    const int width = print->width();
    Binding(window, "BUTTONS", "NumberOfButtons")->Enter("8");
    QVERIFY(print->width() < width);
    QVERIFY(print->x() < slot3);

    // Caption and picture: a picture that cannot be read gives the built-in one, as in the kiosk.
    Binding(window, "TEXT", "Print")->Enter("Imprimer");
    QCOMPARE(print->text(), QString("Imprimer"));
    const QString picture = QString::fromStdString(dir.File("print.png"));
    QPixmap strip(60, 30);
    strip.fill(Qt::red);
    QVERIFY(strip.save(picture));
    Binding(window, "GLYPH", "Print")->Enter(picture);
    QCOMPARE(print->Glyph().size(), QSize(60, 30));
    Binding(window, "GLYPH", "Print")->Enter(picture + ".missing");
    QVERIFY(!print->Glyph().isNull());
    QVERIFY(print->Glyph().size() != QSize(60, 30));
    QVERIFY(print->toolTip().contains("cannot be read"));
  }

  // Scrolling the page over a drop-down list scrolls the page and leaves the value alone.
  void TheWheelScrollsThePageNotAValue() {
    test::TempDir dir;
    SetupSession session(dir.path());
    SetupWindow window(session, false, {});
    window.show();
    window.tabs()->setCurrentIndex(kButtonsPage);
    auto* page = qobject_cast<QScrollArea*>(window.pages().pages[kButtonsPage]);
    QWidget* slot = Binding(window, "BUTTONS", "StartOn")->control();
    QTRY_VERIFY_WITH_TIMEOUT(slot->isVisible() && page->verticalScrollBar()->maximum() > 0, 5000);
    const std::string before = session.config().Value("BUTTONS", "StartOn");
    const auto wheel = [&] {
      const QPointF at = QRectF(slot->rect()).center();
      QWheelEvent event(at, slot->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                        false);
      QApplication::sendEvent(slot, &event);
    };
    wheel();
    QCOMPARE(session.config().Value("BUTTONS", "StartOn"), before);
    QVERIFY(page->verticalScrollBar()->value() > 0);
    slot->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(slot->hasFocus(), 5000);
    wheel();
    QVERIFY(session.config().Value("BUTTONS", "StartOn") != before);  // taken once chosen
  }
};

}  // namespace tw

QTEST_MAIN(tw::ButtonPagesTest)
#include "button_pages_test.moc"
