#include "kiosk/panels/splash_window.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "kiosk/core/frame/browser_placement.h"
#include "kiosk/panels/form_scaling.h"

namespace tw {

class FormSplashTest : public QObject {
  Q_OBJECT

 private slots:
  void DesignGeometryScalesWithTheScreen_data() {
    QTest::addColumn<double>("scale");
    QTest::addColumn<QRect>("form");
    QTest::addColumn<QRect>("label");
    QTest::newRow("800") << 1.0 << QRect(25, 60, 700, 483) << QRect(50, 440, 600, 24);
    QTest::newRow("1024") << 1.28 << QRect(32, 77, 896, 618) << QRect(64, 563, 768, 31);
    QTest::newRow("640") << 0.8 << QRect(20, 48, 560, 386) << QRect(40, 352, 480, 19);
  }

  void DesignGeometryScalesWithTheScreen() {
    QFETCH(double, scale);
    QFETCH(QRect, form);
    QFETCH(QRect, label);
    SplashWindow splash;
    splash.setGeometry(ToQRect(SplashFormBounds(scale, false)));
    ScaleControls(&splash, scale);
    QCOMPARE(splash.geometry(), form);
    QCOMPARE(splash.LabelLine1()->geometry(), label);
    QCOMPARE(splash.LabelLine1()->text(), QString("Version 2.1d 16 June 1998"));
  }

  void ShowsTheConfiguredPictureOrTheDesignedOne() {
    QTemporaryDir dir;
    const QString file = dir.filePath("splash.png");
    QImage red(60, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(file));

    SplashWindow splash;
    QVERIFY(!splash.LoadSplash(dir.filePath("missing.bmp")));
    QVERIFY(!splash.LoadSplash(""));
    splash.RefreshPicture();
    const QImage designed = splash.ImageSplash()->pixmap().toImage();
    QVERIFY(!designed.isNull());
    QVERIFY(designed.pixelColor(designed.width() / 2, 5) != QColor(Qt::red));

    // A file that is not a picture is refused and the designed picture stays.
    QFile junk(dir.filePath("junk.bmp"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("BM not really a bitmap");
    junk.close();
    QVERIFY(!splash.LoadSplash(junk.fileName()));

    QVERIFY(splash.LoadSplash(file));
    const QImage shown = splash.ImageSplash()->pixmap().toImage();
    QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
  }

  void BorderlessBlackAndNeverTakesTheFocus() {
    SplashWindow splash;
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(splash.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QCOMPARE(splash.palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(splash.windowTitle(), QString("Tarnwick"));
  }
};

}  // namespace tw

QTEST_MAIN(tw::FormSplashTest)
#include "splash_window_test.moc"
