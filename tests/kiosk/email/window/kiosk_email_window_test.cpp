// The e-mail window in the kiosk (offscreen): the focus it takes back before each key of
// the on-screen keyboard, and the busy meter it shares with the main loop.
#include <QApplication>
#include <QLineEdit>
#include <QTcpServer>
#include <QTextEdit>
#include <QtTest>

#include "kiosk/email/window/kiosk_email_window.h"
#include "kiosk/email/window/email_form.h"
#include "kiosk/panels/panel_button.h"

namespace tw {

namespace {

KioskEmailWindow::Parts QuietParts() {
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
  return parts;
}

}  // namespace

class KioskEmailWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // While mail moves the meter is the window's: a page loading meanwhile behind it does
  // not move or hide it; afterwards the main loop has it again.
  void TheMainLoopLeavesTheMeterAloneWhileMailMoves() {
    QTcpServer silent;  // takes the connection and never greets
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    std::vector<int> meter;
    KioskEmailWindow::Parts parts = QuietParts();
    parts.busy_meter = [&meter](int percent) { meter.push_back(percent); };
    EmailWindowConfig config;
    config.default_server = "127.0.0.1:" + std::to_string(silent.serverPort());
    MailServerSettings server;
    server.security = MailSecurity::kNone;
    KioskEmailWindow window(config, server, false, 1.0, nullptr, parts);
    window.rules().SetTimeOut(5);
    window.Open(0, "");
    window.rules().Edit(EmailField::kUser, "visitor");
    window.rules().Edit(EmailField::kPassword, "secret");
    bool busy_then = false;
    QTimer::singleShot(300, [&] {
      busy_then = window.Busy();
      window.MainLoopMeter(50);
      window.MainLoopMeter(-1);
      window.Hide();  // the visitor leaves: the fetch ends
    });
    window.rules().GetMail();
    QVERIFY(busy_then);
    QVERIFY(!window.Busy());
    QVERIFY(!meter.empty());
    QCOMPARE(meter.back(), -1);  // the window's own meter, hidden when the fetch ended
    QVERIFY(std::find(meter.begin(), meter.end(), 50) == meter.end());
    QCOMPARE(std::count(meter.begin(), meter.end(), -1), 1);
    window.MainLoopMeter(30);
    QCOMPARE(meter.back(), 30);
  }

  void TheFieldBeingTypedInKeepsTheFocus() {
    KioskEmailWindow window(EmailWindowConfig{}, MailServerSettings{}, false, 1.0, nullptr, QuietParts());
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

QTEST_MAIN(tw::KioskEmailWindowTest)
#include "kiosk_email_window_test.moc"
