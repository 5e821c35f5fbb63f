// The kiosk's input filter on real Qt events: what reaches a window and what counts as
// activity, with active mode and the right-button block switched.
#include "kiosk/app/kiosk_input_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <fstream>

#include "fakes/manual_clock.h"
#include "kiosk/core/kiosk_controller.h"

namespace tw {

class Hooks : public KioskHooks {
 public:
  void ShowError(const std::string&) override {}
  void SetTaskBarHidden(bool) override {}
  void SetSystemKeyLock(bool) override {}
};

class Target : public QWidget {
 public:
  int mouse = 0;
  int keys = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++mouse; }
  void mouseReleaseEvent(QMouseEvent*) override { ++mouse; }
  void keyPressEvent(QKeyEvent*) override { ++keys; }
};

class KioskInputFilterTest : public QObject {
  Q_OBJECT

 private slots:
  void WhatReachesTheWindows_data() {
    QTest::addColumn<bool>("block_right");
    QTest::addColumn<bool>("active_mode");
    QTest::addColumn<int>("event");  // 0 left press+release, 1 right press+release, 2 Alt+F4, 3 F4, 4 key "a"
    QTest::addColumn<int>("mouse");
    QTest::addColumn<int>("keys");
    QTest::addColumn<bool>("resets");
    QTest::newRow("left click") << true << false << 0 << 2 << 0 << false;
    QTest::newRow("left click in active mode") << true << true << 0 << 0 << 0 << false;
    QTest::newRow("right click blocked") << true << false << 1 << 0 << 0 << false;
    QTest::newRow("right click allowed") << false << false << 1 << 2 << 0 << false;
    QTest::newRow("right click in active mode, allowed") << false << true << 1 << 2 << 0 << false;
    QTest::newRow("Alt+F4") << true << false << 2 << 0 << 0 << false;
    QTest::newRow("F4") << true << false << 3 << 0 << 1 << true;
    QTest::newRow("key press") << true << true << 4 << 0 << 1 << true;
  }

  void WhatReachesTheWindows() {
    QFETCH(bool, block_right);
    QFETCH(bool, active_mode);
    QFETCH(int, event);
    QFETCH(int, mouse);
    QFETCH(int, keys);
    QFETCH(bool, resets);

    QTemporaryDir dir;
    std::ofstream(dir.filePath("Tarnwick.ini").toStdString())
        << "[PREFERENCES]\nBlockRightButton=" << (block_right ? 1 : 0) << "\n";
    test::ManualClock clock;
    Hooks hooks;
    KioskController controller(dir.path().toStdString(), clock, hooks);
    controller.Create(800);
    if (active_mode) controller.activity().ActiveModeOn();
    controller.browser_status().SetReady();
    for (int i = 0; i < 42; ++i) controller.activity().Tick();

    KioskInputFilter filter(controller.activity(), controller.settings().kiosk.block_right_button);
    qApp->installEventFilter(&filter);
    Target target;
    target.resize(100, 100);
    target.show();

    const QPointF at(10, 10);
    auto click = [&](Qt::MouseButton button) {
      QMouseEvent press(QEvent::MouseButtonPress, at, target.mapToGlobal(at), button, button, Qt::NoModifier);
      QApplication::sendEvent(&target, &press);
      QMouseEvent release(QEvent::MouseButtonRelease, at, target.mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(&target, &release);
    };
    auto key = [&](int code, Qt::KeyboardModifiers modifiers, const QString& text) {
      QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
      QApplication::sendEvent(&target, &press);
    };
    switch (event) {
      case 0: click(Qt::LeftButton); break;
      case 1: click(Qt::RightButton); break;
      case 2: key(Qt::Key_F4, Qt::AltModifier, QString()); break;
      case 3: key(Qt::Key_F4, Qt::NoModifier, QString()); break;
      case 4: key(Qt::Key_A, Qt::NoModifier, "a"); break;
    }
    qApp->removeEventFilter(&filter);
    QCOMPARE(target.mouse, mouse);
    QCOMPARE(target.keys, keys);
    QCOMPARE(controller.activity().idle_count(), resets ? 0 : 42);
  }
};

}  // namespace tw

QTEST_MAIN(tw::KioskInputFilterTest)
#include "kiosk_input_filter_test.moc"
