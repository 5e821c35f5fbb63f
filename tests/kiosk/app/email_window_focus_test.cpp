// The e-mail window in the kiosk takes the focus back before each key of the on-screen
// keyboard types: the field the visitor was typing in must keep it, or the key is lost.
#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

#include "kiosk/app/kiosk_email_window.h"
#include "kiosk/panels/email_form.h"
#include "kiosk/panels/panel_button.h"

namespace tw {

class EmailWindowFocusTest : public QObject {
  Q_OBJECT

 private slots:
  void TheFieldBeingTypedInKeepsTheFocus() {
    KioskEmailWindow::Parts parts;
    parts.write_log = [](std::string_view) {};
    parts.show_error = [](const std::string&) {};
    parts.ask = [](const std::string&) { return true; };
    parts.keyboard_shown = [] { return true; };
    parts.toggle_keyboard = [] {};
    parts.shown = [](bool) {};
    parts.busy_meter = [](int) {};
    parts.guarded = [](std::function<void()> action) { action(); };
    parts.print = [](const std::vector<std::string>&) {};
    parts.message_steps = [](bool, bool, bool) {};
    KioskEmailWindow window(EmailWindowConfig{}, MailServerSettings{}, false, 1.0, nullptr, parts);
    window.Open(0, "");
    EmailForm& form = window.form();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QLineEdit* user = form.Edit(EmailField::kUser);
    QTest::mouseClick(user, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), user);
    window.TakeFocus();
    QTest::keyClicks(QApplication::focusWidget(), "ann");
    QCOMPARE(user->text(), QStringLiteral("ann"));

    // Writing: the text of the message, then the subject.
    QTest::mouseClick(form.Button("new"), Qt::LeftButton);
    QTest::mouseClick(form.Memo()->viewport(), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.Memo()));
    window.TakeFocus();
    QTest::keyClicks(QApplication::focusWidget(), "Hi");
    QCOMPARE(form.Memo()->toPlainText(), QStringLiteral("Hi"));
    form.Edit(EmailField::kSubject)->setFocus();
    window.TakeFocus();
    QCOMPARE(QApplication::focusWidget(), form.Edit(EmailField::kSubject));
  }
};

}  // namespace tw

QTEST_MAIN(tw::EmailWindowFocusTest)
#include "email_window_focus_test.moc"
