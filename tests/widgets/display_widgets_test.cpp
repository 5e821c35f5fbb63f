// Painting tests of the tiled background, the meter and the analog clock.
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "widgets/analog_clock.h"
#include "widgets/busy_meter.h"
#include "widgets/tiled_bitmap.h"

namespace tw {

namespace {

struct PaintCounter : QObject {
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

// A tile where every pixel is different, so a copy shows which part it came from.
QPixmap GradientTile(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 8, y * 12, 100));
  }
  return QPixmap::fromImage(image);
}

QImage Grab(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

int CountPixels(const QImage& image, const QRect& area, QRgb colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  }
  return n;
}

}  // namespace

class DisplayWidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  void TiledBitmapRepeatsFromTheTopLeft() {
    TiledBitmap tiled;
    QCOMPARE(tiled.size(), QSize(50, 50));
    QVERIFY(!tiled.testAttribute(Qt::WA_OpaquePaintEvent));  // empty: see-through
    QPixmap tile = GradientTile(30, 20);
    tiled.SetBitmap(tile);
    QVERIFY(tiled.testAttribute(Qt::WA_OpaquePaintEvent));
    tiled.resize(100, 50);
    QImage shown = Grab(tiled);
    QImage source = tile.toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 100; ++x) {
        if (shown.pixel(x, y) != source.pixel(x % 30, y % 20)) {
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not from the tile").arg(x).arg(y)));
        }
      }
    }
  }

  void MeterValuesAndCompletePicture() {
    BusyMeter meter;
    QCOMPARE(meter.size(), QSize(180, 25));
    QCOMPARE(meter.Text(), QStringLiteral("50%"));
    meter.SetTotal(0);
    QCOMPARE(meter.Total(), 1);
    meter.SetTotal(100);
    meter.SetCompleted(150);
    QCOMPARE(meter.Completed(), 100);
    QCOMPARE(meter.Percent(), 100);
    meter.SetShowPercent(false);
    QCOMPARE(meter.Text(), QString());
    meter.SetBevelType(MeterBevel::kNone);
    meter.SetForeColor(Qt::blue);
    meter.SetBackColor(Qt::white);
    QImage image = meter.Render();
    // Done to the end: no part of the rest is painted.
    QCOMPARE(CountPixels(image, image.rect(), qRgb(0, 0, 255)), 180 * 25);
    meter.SetCaption(QStringLiteral("Busy"));
    QCOMPARE(meter.Text(), QStringLiteral("Busy"));
  }

  void MeterDirections_data() {
    QTest::addColumn<int>("direction");
    QTest::addColumn<QRect>("done");
    // 40 x 265 with 55 of 100: 145 pixels of height, 22 of width.
    QTest::newRow("top to bottom") << int(MeterDirection::kTopToBottom) << QRect(0, 0, 40, 145);
    QTest::newRow("bottom to top") << int(MeterDirection::kBottomToTop) << QRect(0, 120, 40, 145);
    QTest::newRow("left to right") << int(MeterDirection::kLeftToRight) << QRect(0, 0, 22, 265);
    QTest::newRow("right to left") << int(MeterDirection::kRightToLeft) << QRect(18, 0, 22, 265);
  }

  void MeterDirections() {
    QFETCH(int, direction);
    QFETCH(QRect, done);
    BusyMeter meter;
    meter.resize(40, 265);
    meter.SetBevelType(MeterBevel::kNone);
    meter.SetShowPercent(false);
    meter.SetForeColor(Qt::red);
    meter.SetBackColor(Qt::white);
    meter.SetDirection(static_cast<MeterDirection>(direction));
    meter.SetCompleted(55);
    QImage image = meter.Render();
    QCOMPARE(CountPixels(image, done, qRgb(255, 0, 0)), done.width() * done.height());
    QCOMPARE(CountPixels(image, image.rect(), qRgb(255, 0, 0)), done.width() * done.height());
    QCOMPARE(CountPixels(image, image.rect(), qRgb(255, 255, 255)), 40 * 265 - done.width() * done.height());
  }

  void MeterBorderAndBevels() {
    BusyMeter meter;
    meter.resize(60, 20);
    QPalette palette = meter.palette();
    palette.setColor(QPalette::Light, QColor(250, 250, 250));
    palette.setColor(QPalette::Dark, QColor(90, 90, 90));
    palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
    meter.setPalette(palette);
    meter.SetShowPercent(false);
    meter.SetBorderStyle(MeterBorder::kSingle);
    meter.SetBevelDepth(2);
    meter.SetCompleted(0);
    meter.SetBackColor(Qt::white);
    QImage inset = meter.Render();
    QCOMPARE(inset.pixel(0, 0), qRgb(1, 2, 3));     // border
    QCOMPARE(inset.pixel(1, 1), qRgb(90, 90, 90));  // shadow top-left
    QCOMPARE(inset.pixel(2, 5), qRgb(90, 90, 90));
    QCOMPARE(inset.pixel(58, 18), qRgb(250, 250, 250));  // highlight bottom-right
    QCOMPARE(inset.pixel(57, 10), qRgb(250, 250, 250));
    QCOMPARE(inset.pixel(3, 3), qRgb(255, 255, 255));
    QCOMPARE(meter.MeterArea(), QRect(3, 3, 54, 14));
    meter.SetBevelType(MeterBevel::kRaised);
    QImage raised = meter.Render();
    QCOMPARE(raised.pixel(1, 1), qRgb(250, 250, 250));
    QCOMPARE(raised.pixel(58, 18), qRgb(90, 90, 90));
  }

  void MeterBitmapStyles() {
    BusyMeter meter;
    meter.resize(100, 10);
    meter.SetBevelType(MeterBevel::kNone);
    meter.SetShowPercent(false);
    meter.SetBackColor(Qt::white);
    QImage solid(7, 3, QImage::Format_RGB32);
    solid.fill(qRgb(10, 200, 30));
    meter.SetBitmap(QPixmap::fromImage(solid));
    meter.SetCompleted(30);
    const QRect done(0, 0, 30, 10), rest(30, 0, 70, 10);

    for (MeterBitmapStyle style : {MeterBitmapStyle::kStretch, MeterBitmapStyle::kTile}) {
      meter.SetBitmapDrawStyle(style);
      QImage image = meter.Render();
      QCOMPARE(CountPixels(image, done, qRgb(10, 200, 30)), 300);
      QCOMPARE(CountPixels(image, rest, qRgb(255, 255, 255)), 700);
    }
    meter.SetBitmapDrawStyle(MeterBitmapStyle::kTileInvert);
    QImage inverted = meter.Render();
    QCOMPARE(CountPixels(inverted, done, qRgb(10, 200, 30)), 300);
    QCOMPARE(CountPixels(inverted, rest, qRgb(245, 55, 225)), 700);
  }

  void ClockDialIsCentred() {
    AnalogClock clock;
    QCOMPARE(clock.size(), QSize(60, 60));
    clock.resize(50, 60);
    clock.SetShape(ClockShape::kSquare);
    clock.SetBackColor(QColor(255, 0, 0));
    clock.SetFaceColor(QColor(255, 255, 255));
    clock.SetOutlineColor(QColor(0, 0, 255));
    QImage face = clock.RenderFace(QTime(10, 8, 30));
    QCOMPARE(face.pixel(0, 4), qRgb(255, 0, 0));
    QCOMPARE(face.pixel(0, 5), qRgb(0, 0, 255));
    QCOMPARE(face.pixel(49, 54), qRgb(0, 0, 255));
    QCOMPARE(face.pixel(49, 55), qRgb(255, 0, 0));
    QCOMPARE(face.pixel(10, 40), qRgb(255, 255, 255));
    // Rows 0..4 and 55..59 are background only.
    QCOMPARE(CountPixels(face, QRect(0, 0, 50, 5), qRgb(255, 0, 0)), 250);
    QCOMPARE(CountPixels(face, QRect(0, 55, 50, 5), qRgb(255, 0, 0)), 250);

    clock.SetShape(ClockShape::kCircle);
    QImage round = clock.RenderFace(QTime(10, 8, 30));
    QCOMPARE(round.pixel(0, 5), qRgb(255, 0, 0));   // corner outside the circle
    QCOMPARE(round.pixel(25, 5), qRgb(0, 0, 255));  // top of the circle
  }

  void SecondsHandDrawnTwiceRestoresTheFace() {
    AnalogClock clock;
    clock.resize(80, 80);
    clock.SetFaceColor(QColor(240, 240, 200));
    clock.SetSecHandColor(QColor(200, 0, 0));
    for (int second : {0, 7, 15, 30, 44, 59}) {
      QImage face = clock.RenderFace(QTime(3, 17, second));
      QImage drawn = face;
      clock.DrawSecondsHand(drawn, second);
      QVERIFY(drawn != face);
      QVERIFY(CountPixels(drawn, drawn.rect(), qRgb(200, 0, 0)) > 10);
      clock.DrawSecondsHand(drawn, second);
      QCOMPARE(drawn, face);
    }
    clock.SetShowSeconds(false);
    QCOMPARE(clock.Render(QTime(3, 17, 20)), clock.RenderFace(QTime(3, 17, 20)));
  }

  void ClockTicksFollowTheSeconds() {
    AnalogClock clock;
    clock.resize(70, 70);
    int ticks = 0;
    clock.OnTimer = [&](AnalogClock&) { ++ticks; };
    clock.Tick(QTime(10, 8, 30));
    QCOMPARE(clock.Shown(), clock.Render(QTime(10, 8, 30)));
    clock.Tick(QTime(10, 8, 31));  // moves only the seconds hand
    QCOMPARE(clock.Shown(), clock.Render(QTime(10, 8, 31)));
    clock.Tick(QTime(10, 8, 31, 500));  // same second: nothing changes
    QCOMPARE(clock.LastSecond(), 31);
    clock.Tick(QTime(10, 9, 0));  // second 0: hands move
    QCOMPARE(clock.Shown(), clock.Render(QTime(10, 9, 0)));
    clock.Tick(QTime(10, 12, 5));  // missed second 0: still redrawn
    QCOMPARE(clock.Shown(), clock.Render(QTime(10, 12, 5)));
    QCOMPARE(ticks, 5);
  }

  // On screen, each repaint is a round trip to the X server: a clock without a seconds
  // hand is painted when its hands move, not every second.
  void ClockIsRepaintedOnlyWhenItsPictureChanges() {
    for (const bool seconds : {true, false}) {
      AnalogClock clock;
      clock.resize(60, 60);
      clock.SetShowSeconds(seconds);
      clock.setEnabled(false);  // no wall-clock ticks of its own
      clock.show();
      QVERIFY(QTest::qWaitForWindowExposed(&clock));
      PaintCounter paints;
      clock.installEventFilter(&paints);
      clock.Tick(QTime(10, 8, 30));
      // The X server may expose a new window more than once; count only
      // after its paints have stopped for a while.
      for (int before = -1, tries = 0; paints.count != before && tries < 40; ++tries) {
        before = paints.count;
        QTest::qWait(50);
      }
      paints.count = 0;
      for (int s = 31; s < 35; ++s) {
        clock.Tick(QTime(10, 8, s));
        QCoreApplication::processEvents();
      }
      QCOMPARE(paints.count, seconds ? 4 : 0);
      clock.Tick(QTime(10, 9, 0));  // the minute hand moves
      QCoreApplication::processEvents();
      QCOMPARE(paints.count, seconds ? 5 : 1);
      QCOMPARE(clock.Shown(), clock.Render(QTime(10, 9, 0)));
    }
  }

  void ClockWakesWhenTheSecondChanges() {
    AnalogClock clock;
    clock.SetTimeSource([] { return QTime(10, 0, 0, 250); });
    const int wake = clock.NextWake();
    QVERIFY2(wake > 600 && wake <= 751, qPrintable(QString::number(wake)));
    clock.setEnabled(false);
    QCOMPARE(clock.NextWake(), -1);
    clock.setEnabled(true);
    QVERIFY(clock.NextWake() > 0);
  }

  void HourHandPointsAtTheHour() {
    AnalogClock clock;
    clock.resize(100, 100);
    clock.SetFaceColor(Qt::white);
    clock.SetHandsColor(QColor(0, 200, 0));
    clock.SetShowSeconds(false);
    // At 3:00 the hour hand lies right of the centre, the minute hand above it.
    QImage three = clock.Render(QTime(3, 0, 0));
    QCOMPARE(three.pixel(60, 50), qRgb(0, 200, 0));
    QCOMPARE(three.pixel(40, 50), qRgb(255, 255, 255));
    QCOMPARE(three.pixel(50, 25), qRgb(0, 200, 0));
    QImage nine = clock.Render(QTime(9, 30, 0));
    QCOMPARE(nine.pixel(50, 75), qRgb(0, 200, 0));  // minute hand down
    QCOMPARE(nine.pixel(50, 25), qRgb(255, 255, 255));
  }
};

}  // namespace tw

QTEST_MAIN(tw::DisplayWidgetsTest)
#include "display_widgets_test.moc"
