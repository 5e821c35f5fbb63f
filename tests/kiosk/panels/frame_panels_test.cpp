// The banner bar and the side panels on the offscreen platform: banner rotation driven
// second by second, clicks and their tags, animated and unreadable pictures, visibility
// of the clock, the page buttons and the arrows, the busy meter, layout changes.
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "common/config/profile_file.h"
#include "kiosk/panels/busy_panel.h"
#include "kiosk/panels/arrow_panel.h"
#include "kiosk/panels/banner_bar.h"
#include "kiosk/panels/glyph_button.h"
#include "kiosk/panels/picture_box.h"
#include "kiosk/panels/panel_button.h"
#include "widgets/analog_clock.h"
#include "widgets/busy_meter.h"

namespace tw {
namespace {

// The presses and problems the panels report, in order.
class RecordingPanelEvents : public PanelEvents {
 public:
  std::vector<std::string> calls;

  void BannerClicked(const std::optional<std::string>& url) override { calls.push_back("banner " + url.value_or("-")); }
  void LogoClicked() override { calls.push_back("logo"); }
  void ClockClicked() override { calls.push_back("clock"); }
  void PageButtonClicked(int n) override { calls.push_back("page " + std::to_string(n)); }
  void ArrowPressed(ScrollDirection d) override { calls.push_back("press " + std::to_string(static_cast<int>(d))); }
  void ArrowReleased(ScrollDirection d) override { calls.push_back("release " + std::to_string(static_cast<int>(d))); }
  void ArrowClicked(ScrollDirection d) override { calls.push_back("arrow " + std::to_string(static_cast<int>(d))); }
  void BackgroundPressed(bool right_panel) override { calls.push_back(right_panel ? "focus" : "front"); }
  void BannerMissing(const std::string& file) override { calls.push_back("log " + CannotLoadBannerText(file)); }
  void PictureError(const std::string& message) override { calls.push_back("error " + message); }

  std::vector<std::string> Take() { return std::exchange(calls, {}); }
};

// A GIF of two 1 x 1 frames (black, then white), 100 ms each, looping forever.
const unsigned char kTwoFrameGif[] = {
    'G', 'I', 'F',  '8',  '9', 'a', 1,   0,   1,   0,   0x80, 0, 0, 0, 0,    0,    0xFF, 0xFF, 0xFF, 0x21, 0xFF, 0x0B,
    'N', 'E', 'T',  'S',  'C', 'A', 'P', 'E', '2', '.', '0',  3, 1, 0, 0,    0,    0x21, 0xF9, 4,    0,    10,   0,
    0,   0,   0x2C, 0,    0,   0,   0,   1,   0,   1,   0,    0, 2, 2, 0x44, 0x01, 0,    0x21, 0xF9, 4,    0,    10,
    0,   0,   0,    0x2C, 0,   0,   0,   0,   1,   0,   1,    0, 0, 2, 2,    0x4C, 0x01, 0,    0x3B};

void SavePicture(const QString& path, QColor colour) {
  QImage image(20, 10, QImage::Format_RGB32);
  image.fill(colour);
  QVERIFY(image.save(path, "PNG"));
}

QColor CornerColour(const PictureBox* box) { return box->Current().toImage().pixelColor(0, 0); }

class FramePanelsTest : public QObject {
  Q_OBJECT

 private:
  QString File(const char* name) const { return dir_.filePath(name); }
  std::string Ini(const std::string& text) {
    const std::string path = File("Tarnwick.ini").toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::unique_ptr<BannerBar> MakeTop(RecordingPanelEvents& host, const std::string& ini_text, double scale = 1.0) {
    BannerBarConfig config;
    errors_ = SettingErrors();
    ReadBannerBarConfig(ProfileFile(Ini(ini_text)), config, errors_);
    return std::make_unique<BannerBar>(host, config, scale);
  }
  RightPanelConfig Right(const std::string& ini_text) {
    RightPanelConfig config;
    errors_ = SettingErrors();
    ReadRightPanelConfig(ProfileFile(Ini(ini_text)), config, errors_);
    return config;
  }
  LeftPanelConfig Left(const std::string& ini_text) {
    LeftPanelConfig config;
    errors_ = SettingErrors();
    ReadLeftPanelConfig(ProfileFile(Ini(ini_text)), config, errors_);
    return config;
  }

  SettingErrors errors_;

  QTemporaryDir dir_;

 private slots:
  void BannerWithTimeFiveIsReloadedFromItsFileEveryFiveSeconds() {
    SavePicture(File("one.png"), Qt::red);
    RecordingPanelEvents host;
    auto top = MakeTop(host, "[BANNERGRAPHICS]\nGraphic0=" + File("one.png").toStdString() +
                                 "\n[BANNERURLS]\nURL0=http://one/\n[BANNERTIMES]\nTime0=5\n");
    QCOMPARE(CornerColour(top->Banner()), QColor(Qt::red));
    SavePicture(File("one.png"), Qt::green);
    for (int s = 0; s < 4; ++s) top->AdvanceBanner();
    QCOMPARE(CornerColour(top->Banner()), QColor(Qt::red));
    top->AdvanceBanner();
    QCOMPARE(CornerColour(top->Banner()), QColor(Qt::green));
    QVERIFY(host.calls.empty());
  }

  void ThreeBannersInOrderAndAMissingOneIsShownAndLogged() {
    SavePicture(File("a.png"), Qt::red);
    SavePicture(File("c.png"), Qt::blue);
    const std::string missing = File("gone.gif").toStdString();
    RecordingPanelEvents host;
    auto top =
        MakeTop(host, "[BANNERGRAPHICS]\nGraphic0=" + File("a.png").toStdString() + "\nGraphic1=" + missing +
                          "\nGraphic2=" + File("c.png").toStdString() + "\n[BANNERTIMES]\nTime0=1\nTime1=2\nTime2=1\n");
    top->AdvanceBanner();
    QCOMPARE(top->rotation().index(), std::size_t{1});
    QCOMPARE(CornerColour(top->Banner()), QColor(Qt::black));
    QCOMPARE(host.Take(), std::vector<std::string>{"log Cannot Load Banner - " + missing});
    // Yellow text lies somewhere on the black picture.
    const QImage shown = top->Banner()->Current().toImage();
    bool yellow = false;
    for (int y = 0; y < shown.height() && !yellow; ++y) {
      for (int x = 0; x < shown.width() && !yellow; ++x) yellow = shown.pixelColor(x, y) == QColor(Qt::yellow);
    }
    QVERIFY(yellow);
    top->AdvanceBanner();
    QCOMPARE(top->rotation().index(), std::size_t{1});
    top->AdvanceBanner();
    QCOMPARE(CornerColour(top->Banner()), QColor(Qt::blue));
    top->AdvanceBanner();
    QCOMPARE(CornerColour(top->Banner()), QColor(Qt::red));
  }

  void TimeOfZeroNeverRotates() {
    SavePicture(File("a.png"), Qt::red);
    RecordingPanelEvents host;
    auto top = MakeTop(host, "[BANNERGRAPHICS]\nGraphic0=" + File("a.png").toStdString() +
                                 "\nGraphic1=x\n[BANNERTIMES]\nTime0=0\nTime1=1\n");
    for (int s = 0; s < 100; ++s) top->AdvanceBanner();
    QCOMPARE(top->rotation().index(), std::size_t{0});
    QVERIFY(host.calls.empty());
  }

  void BannerLogoAndClockClicksAreReported() {
    const struct {
      const char* url;
      std::vector<std::string> expected;
    } cases[] = {
        {"none", {"banner -"}},
        {"", {"banner -"}},
        {"None", {"banner None"}},
        {"http://a/", {"banner http://a/"}},
    };
    for (const auto& c : cases) {
      RecordingPanelEvents host;
      auto top =
          MakeTop(host, std::string("[BANNERGRAPHICS]\nGraphic0=x\n[BANNERTIMES]\nTime0=5\n[BANNERURLS]\nURL0=") +
                            c.url + "\n");
      QTest::mouseClick(top->Banner(), Qt::LeftButton);
      QCOMPARE(host.Take(), c.expected);
    }
    RecordingPanelEvents host;
    auto top = MakeTop(host, "");
    top->show();
    top->BannerClick();  // no banner configured: no page
    QTest::mouseClick(top->Image(), Qt::LeftButton);
    // The clock's click comes with the release; the press is a press on the bar.
    QTest::mouseClick(top->Clock(), Qt::LeftButton);
    QCOMPARE(host.Take(), (std::vector<std::string>{"banner -", "logo", "front", "clock"}));
  }

  void ShowClockFalseHidesTheClockAndKeepsItsFrame() {
    RecordingPanelEvents host;
    auto top = MakeTop(host, "[PREFERENCES]\nShowClock=0\n[CLOCK]\nShape=1\nFaceColour=$000000FF\n");
    top->show();
    QVERIFY(!top->Clock()->isVisible());
    QVERIFY(top->Bevel3()->isVisible());
    QCOMPARE(top->Clock()->Shape(), ClockShape::kSquare);
    QCOMPARE(top->Clock()->FaceColor(), QColor(Qt::red));
  }

  void BarIsScaledControlByControl() {
    RecordingPanelEvents host;
    auto top = MakeTop(host, "", 1.28);
    QCOMPARE(top->geometry(), QRect(0, 0, 1024, 77));
    QCOMPARE(top->Banner()->geometry(), QRect(79, 6, 867, 64));
    QCOMPARE(top->Block2()->geometry(), QRect(929, 1, 93, 76));
  }

  void AnimatedLogoPlaysWhileShownAndAnUnreadablePictureIsReported() {
    {
      std::ofstream(File("anim.gif").toStdString(), std::ios::binary)
          .write(reinterpret_cast<const char*>(kTwoFrameGif), sizeof kTwoFrameGif);
      std::ofstream(File("bad.gif").toStdString(), std::ios::binary) << "GIF89a this is not a picture";
    }
    RecordingPanelEvents host;
    auto top = MakeTop(host, "[URLS]\nLogoFile=" + File("anim.gif").toStdString() + "\n[BANNERGRAPHICS]\nGraphic0=" +
                                 File("bad.gif").toStdString() + "\n[BANNERTIMES]\nTime0=5\n");
    QVERIFY(top->Image()->Animated());
    QCOMPARE(top->Image()->Movie()->frameCount(), 2);
    QCOMPARE(top->Image()->Movie()->nextFrameDelay(), 100);
    // Not shown yet: no frame timer runs.
    QCOMPARE(top->Image()->Movie()->state(), QMovie::Paused);
    top->show();
    QTRY_COMPARE_WITH_TIMEOUT(top->Image()->Movie()->currentFrameNumber(), 1, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(top->Image()->Movie()->currentFrameNumber(), 0, 2000);  // loops
    QCOMPARE(top->Image()->Movie()->state(), QMovie::Running);
    top->hide();
    QCOMPARE(top->Image()->Movie()->state(), QMovie::Paused);
    // The banner's file exists but cannot be read: reported, the built-in picture stays.
    QCOMPARE(host.calls.size(), std::size_t{1});
    QVERIFY(host.calls[0].starts_with("error Cannot read picture " + File("bad.gif").toStdString()));
    QVERIFY(!top->Banner()->Current().isNull());
    QCOMPARE(top->Banner()->Current().size(), QSize(677, 50));
  }

  void LargerPicturesShrinkToTheirBoxSmallerOnesKeepTheirSize() {
    QImage large(100, 60, QImage::Format_RGB32);
    large.fill(Qt::red);
    QVERIFY(large.save(File("large.png"), "PNG"));
    SavePicture(File("small.png"), Qt::blue);
    RecordingPanelEvents host;
    auto top = MakeTop(host, "[URLS]\nLogoFile=" + File("large.png").toStdString() + "\n[BANNERGRAPHICS]\nGraphic0=" +
                                 File("small.png").toStdString() + "\n[BANNERTIMES]\nTime0=5\n");
    QCOMPARE(top->Image()->Current().size(), QSize(50, 30));
    QCOMPARE(top->Banner()->Current().size(), QSize(20, 10));
    auto scaled = MakeTop(host, "[URLS]\nLogoFile=" + File("large.png").toStdString() + "\n", 2.0);
    scaled->show();  // a hidden window hears of its new size when it is shown
    QCOMPARE(scaled->Image()->Current().size(), QSize(100, 60));
  }

  void BadBannerTimeAndBadColourAreReportedAndTheBarGoesOn() {
    SavePicture(File("b.png"), Qt::blue);
    RecordingPanelEvents host;
    auto top = MakeTop(host, "[BANNERGRAPHICS]\nGraphic0=a\nGraphic1=" + File("b.png").toStdString() +
                                 "\n[BANNERTIMES]\nTime0=soon\nTime1=3\n[CLOCK]\nTickColour=grey\nShape=1\n");
    // The banner without a time is skipped: the next one shows from the start.
    QCOMPARE(CornerColour(top->Banner()), QColor(Qt::blue));
    for (int s = 0; s < 10; ++s) top->AdvanceBanner();
    QCOMPARE(top->Clock()->Shape(), ClockShape::kSquare);
    QVERIFY(host.calls.empty());
    std::vector<std::string> keys;
    for (const SettingError& e : errors_.list()) keys.push_back(e.key + "=" + e.value);
    QCOMPARE(keys, (std::vector<std::string>{"Time0=soon", "TickColour=grey"}));
  }

  void PageButtonsShowWhereTheyHaveAURLAndReportTheirClicks() {
    RecordingPanelEvents host;
    ArrowPanel right(host,
                     Right("[BUTTONS]\nCustom1URL=http://one/\nCustom1Text=One\nCustom3URL=\n"
                           "Custom10URL=http://ten/\nScrollOn=1\n"),
                     1.0);
    right.show();
    QVERIFY(right.Custom(1)->isVisible());
    QCOMPARE(right.Custom(1)->text(), QString("One"));
    QVERIFY(!right.Custom(3)->isVisible());
    QVERIFY(right.Custom(10)->isVisible());
    QTest::mouseClick(right.Custom(1), Qt::LeftButton);
    right.Custom(3)->click();
    QCOMPARE(host.Take(), (std::vector<std::string>{"page 1", "page 3"}));
    // While the keyboard is up the page buttons hide; they come back with their URLs.
    FrameLayout layout = InitialFrameLayout(1.0, right.config().CustomHasURL());
    layout.keyboard_shown = true;
    right.ApplyLayout(layout);
    QVERIFY(!right.Custom(1)->isVisible());
    layout.keyboard_shown = false;
    right.ApplyLayout(layout);
    QVERIFY(right.Custom(1)->isVisible());
    QVERIFY(!right.Custom(3)->isVisible());
  }

  void ArrowsPressReleaseAndClickInOrder() {
    RecordingPanelEvents host;
    ArrowPanel right(host, Right("[TEXT]\nDown=Runter\n"), 1.0);
    right.show();
    QCOMPARE(right.Arrow(ScrollDirection::kDown)->text(), QString("Runter"));
    QTest::mouseClick(right.Arrow(ScrollDirection::kDown), Qt::LeftButton);
    QTest::mouseClick(right.Arrow(ScrollDirection::kRight), Qt::LeftButton);
    QCOMPARE(host.Take(),
             (std::vector<std::string>{"press 1", "release 1", "arrow 1", "press 3", "release 3", "arrow 3"}));
    right.SetArrowsEnabled(true, false);
    QVERIFY(right.Arrow(ScrollDirection::kUp)->isEnabled());
    QVERIFY(!right.Arrow(ScrollDirection::kLeft)->isEnabled());
  }

  void ArrowGlyphsSitAboveBelowAndBesideTheirCaptions() {
    RecordingPanelEvents host;
    ArrowPanel right(host, Right(""), 1.0);
    // Where the arrow's dark picture lies in the button: the centre of its dark pixels.
    auto centre = [](QWidget* button) {
      const QImage image = button->grab().toImage();
      long sx = 0, sy = 0, n = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          if (image.pixelColor(x, y) == QColor(0x20, 0x20, 0x20)) sx += x, sy += y, ++n;
        }
      }
      return n ? QPoint(int(sx / n), int(sy / n)) : QPoint(-1, -1);
    };
    const QPoint up = centre(right.Arrow(ScrollDirection::kUp));
    const QPoint down = centre(right.Arrow(ScrollDirection::kDown));
    const QPoint left = centre(right.Arrow(ScrollDirection::kLeft));
    const QPoint right_arrow = centre(right.Arrow(ScrollDirection::kRight));
    QVERIFY2(up.y() >= 0 && up.y() < 41 / 2, qPrintable(QString("up %1").arg(up.y())));
    QVERIFY2(down.y() > 41 / 2, qPrintable(QString("down %1").arg(down.y())));
    QVERIFY2(left.x() >= 0 && left.x() < 57 / 2, qPrintable(QString("left %1").arg(left.x())));
    QVERIFY2(right_arrow.x() > 57 / 2, qPrintable(QString("right %1").arg(right_arrow.x())));
  }

  void ArrowsHideWithTheirSwitch() {
    RecordingPanelEvents host;
    ArrowPanel right(host, Right("[BUTTONS]\nScrollOn=0\n"), 1.0);
    right.show();
    for (ScrollDirection d :
         {ScrollDirection::kUp, ScrollDirection::kDown, ScrollDirection::kLeft, ScrollDirection::kRight}) {
      QVERIFY(!right.Arrow(d)->isVisible());
    }
  }

  void LeftPanelMeterFollowsLayoutAndBusyState() {
    RecordingPanelEvents host;
    BusyPanel left(host, Left("[BUSYBAR]\nTopColour=$000000FF\nBottomColour=65280\n"));
    FrameLayout layout = InitialFrameLayout(1.28, {});
    left.ApplyLayout(layout);
    left.show();
    QCOMPARE(left.geometry(), QRect(0, 77, 32, 618));
    QCOMPARE(left.Meter()->geometry(), ToRectOf(layout.busy_meter));
    QVERIFY(!left.Meter()->isVisible());
    left.ShowBusy(42);
    QVERIFY(left.Meter()->isVisible());
    QCOMPARE(left.Meter()->Completed(), 42);
    QCOMPARE(left.Meter()->ForeColor(), QColor(Qt::red));
    QCOMPARE(left.Meter()->BackColor(), QColor(Qt::green));
    left.HideBusy();
    QVERIFY(!left.Meter()->isVisible());
    ShowKeyboardLayout(layout, 1.28);
    left.ApplyLayout(layout);
    QCOMPARE(left.height(), layout.left_panel.height);
    QVERIFY(left.height() < 618);
  }

 private:
  static QRect ToRectOf(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }
};

}  // namespace
}  // namespace tw

QTEST_MAIN(tw::FramePanelsTest)
#include "frame_panels_test.moc"
