// The bottom panel on the offscreen platform: tool-bar slots and scaling, button
// presses, the keyboard pages with the language file's entries, typing through a
// recording key injector.
#include "kiosk/panels/toolbar_panel.h"

#include "common/keyboard/keyboard_section.h"
#include "common/config/profile_file.h"

#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "fakes/fake_button_sound.h"
#include "fakes/fake_desktop_windows.h"
#include "fakes/fake_key_injector.h"
#include "fakes/fake_lock_states.h"
#include "common/geometry/scaled_geometry.h"
#include "kiosk/panels/panel_button.h"
#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"

namespace tw {
namespace {

// What the host records for an operation on the page.
std::string OnPage(PageOperation operation) { return "page " + std::to_string(static_cast<int>(operation)); }

class RecordingHost : public ToolbarHost {
 public:
  std::vector<std::string> calls;
  std::vector<std::string> errors;
  int exits = 0;
  test::FakeKeyInjector* keys = nullptr;  // to see what was typed when the focus moved
  bool shown = false;

  void GoToURL(const std::string& url, NavigationReason reason) override {
    Add("go " + url + " " + std::to_string(static_cast<int>(reason)));
  }
  void WriteLog(std::string_view text) override { Add("log " + std::string(text)); }
  void CheckExitPassword(int tag) override { Add("password " + std::to_string(tag)); }
  void ReportError(const std::string& message) override { errors.push_back(message); }
  void RequestExit() override { ++exits; }
  void RunOnPage(PageOperation operation) override { Add(OnPage(operation)); }
  bool EmailVisible() const override { return false; }
  void HideEmail() override {}
  void PrintEmailText() override {}
  void OpenEmailWindow() override { Add("open email"); }
  void SelectEmailMessage(int) override {}
  void FocusEmailWindow() override {}
  void ReturnFocusToBrowserWindow() override {
    Add("focus after " + std::to_string(keys ? keys->events.size() : 0) + " key events");
  }
  bool ToggleKeyboard() override {
    shown = !shown;
    return shown;
  }
  bool ToggleHighContrast() override {
    Add("contrast");
    return true;
  }

 private:
  void Add(std::string text) { calls.push_back(std::move(text)); }
};

}  // namespace

class FormBottomTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  test::FakeKeyInjector keys_;
  test::FakeDesktopWindows windows_;
  test::FakeLockStates locks_;
  test::FakeButtonSound sounds_;
  RecordingHost host_;
  std::unique_ptr<ToolbarActions> actions_;
  SettingErrors setting_errors_;

  void Write(const char* name, const std::string& text) {
    std::ofstream(dir_.filePath(name).toStdString(), std::ios::binary) << text;
  }

  std::unique_ptr<ToolbarPanel> Create(double scale, const std::string& ini, const std::string& lang = "") {
    Write("Tarnwick.ini", ini);
    Write("TWLang.ini", lang);
    setting_errors_ = SettingErrors();
    const ToolbarConfig config =
        ReadToolbarConfig(ProfileFile(dir_.filePath("Tarnwick.ini").toStdString()), setting_errors_);
    std::vector<NamedKeyboardEntry> keys = BuiltInKeyboard();
    setting_errors_.Append(
        ReadKeyboardEntries(ProfileFile(dir_.filePath("TWLang.ini").toStdString()), keys, VisibleField::kExactlyOne)
            .errors);
    ToolbarSettings settings;
    settings.start_url = "file:///start.htm";
    settings.help_url = "file:///help.htm";
    settings.own_urls = config.OwnPages();
    actions_ = std::make_unique<ToolbarActions>(host_, settings);
    ToolbarPanel::Options o;
    o.screen_scale = scale;
    o.platform = {&keys_, &windows_, &locks_, &sounds_};
    return std::make_unique<ToolbarPanel>(*actions_, o, config, keys);
  }

  static void ClickKey(KeyButton* key) {
    QVERIFY(key);
    QTest::mouseClick(key, Qt::LeftButton, Qt::NoModifier, QPoint(key->width() / 2, key->height() / 2));
  }

 private slots:
  void init() {
    host_ = RecordingHost();
    host_.keys = &keys_;
    keys_.events.clear();
  }

  void SlotsAndFontsFollowTheSettingsAndTheScale_data() {
    QTest::addColumn<double>("scale");
    QTest::addColumn<QRect>("start");
    QTest::addColumn<int>("font");
    QTest::addColumn<QRect>("form");
    QTest::newRow("800") << 1.0 << QRect(332, 8, 137, 41) << 21 << QRect(0, 543, 800, 271);
    QTest::newRow("1024") << 1.28 << QRect(425, 10, 175, 52) << 30 << QRect(0, 695, 1024, 347);
    QTest::newRow("1280") << 1.6 << QRect(531, 13, 219, 66) << 34 << QRect(0, 869, 1280, 434);
  }

  void SlotsAndFontsFollowTheSettingsAndTheScale() {
    QFETCH(double, scale);
    QFETCH(QRect, start);
    QFETCH(int, font);
    QFETCH(QRect, form);
    auto f = Create(scale, "[BUTTONS]\nNumberOfButtons=5\nStartOn=3\nBackOn=0\nReloadOn=1\n");
    QCOMPARE(f->geometry(), form);
    PanelButton* b = f->Button(ToolbarButtonId::kStart);
    QCOMPARE(b->geometry(), start);
    QCOMPARE(b->font().pixelSize(), font);
    QVERIFY(!b->isHidden());
    QVERIFY(f->Button(ToolbarButtonId::kBack)->isHidden());
    QVERIFY(f->Button(ToolbarButtonId::kHelp)->isHidden());
    QVERIFY(f->Button(ToolbarButtonId::kBack2)->isHidden());
    QCOMPARE(f->PanelTop()->geometry(), QRect(0, 0, form.width(), Scaled(57, scale)));
    QVERIFY(host_.errors.empty());
  }

  void TheLaterButtonOnASlotReceivesTheClick() {
    auto f = Create(1.0, "[BUTTONS]\nStartOn=2\nReloadOn=2\n");
    f->show();
    const QRect slot = f->Button(ToolbarButtonId::kStart)->geometry();
    QCOMPARE(f->PanelTop()->childAt(slot.center()), f->Button(ToolbarButtonId::kReload));
    QTest::mouseClick(f->PanelTop()->childAt(slot.center()), Qt::LeftButton);
    QCOMPARE(host_.calls, (std::vector<std::string>{"log Reload Button Pressed", OnPage(PageOperation::kReload),
                                                    "password 24", "focus after 0 key events"}));
  }

  void PressesActThenReturnTheFocus() {
    auto f = Create(1.0, "[BUTTONS]\nStartOn=1\nHelpOn=2\n[SOUNDS]\nStartSource=2\n");
    f->show();
    QTest::mouseClick(f->Button(ToolbarButtonId::kStart), Qt::LeftButton);
    QCOMPARE(host_.calls,
             (std::vector<std::string>{"go file:///start.htm 3", "password 18", "focus after 0 key events"}));
    QCOMPARE(sounds_.played.size(), std::size_t{1});
    QCOMPARE(sounds_.played[0].first, ButtonSound::kAsterisk);
    host_.calls.clear();
    f->actions().Click(ToolbarButtonId::kHelp);  // a command presses the button
    QCOMPARE(host_.calls.front(), std::string("go file:///help.htm 4"));
  }

  void DisabledButtonsShowTheirSecondFrame() {
    auto f = Create(1.0, "[BUTTONS]\nBackOn=1\n");
    PanelButton* back = f->Button(ToolbarButtonId::kBack);
    const QImage up = back->CurrentFrame().toImage();
    f->SetBackEnabled(false);
    QVERIFY(!back->isEnabled());
    QVERIFY(back->CurrentFrame().toImage() != up);
    QCOMPARE(back->CurrentFrame().size(), up.size());
  }

  void KeyboardLookFollowsTheState() {
    auto f = Create(1.0, "[TEXT]\nShow=Keys\nHide=No keys\n");
    PanelButton* k = f->Button(ToolbarButtonId::kKeyboard);
    QCOMPARE(k->text(), QString("Keys"));
    const QImage show = k->Glyph().toImage();
    f->ShowKeyboardLook(true);
    QCOMPARE(k->text(), QString("No keys"));
    QVERIFY(k->Glyph().toImage() != show);
    f->ShowKeyboardLook(false);
    QCOMPARE(k->text(), QString("Keys"));
    QCOMPARE(k->Glyph().toImage(), show);
  }

  void BothPagesHoldEveryKeyAtItsScaledPlace() {
    auto f = Create(1.28, "");
    QCOMPARE(f->Keys().size(), std::size_t{127});
    QCOMPARE(f->Notebook()->geometry(), QRect(0, 73, 1024, 275));
    KeyButton* ret = f->Key("VX4KeyButton51");  // Return, 64 x 80 at 584, 48
    QCOMPARE(ret->geometry(), QRect(748, 61, 82, 102));
    QCOMPARE(ret->parentWidget(), f->Notebook()->widget(0));
    QCOMPARE(f->Key("KQWERT")->parentWidget(), f->Notebook()->widget(1));
    // A letter key's 16-point legend is 21 pixels high at design size: 27 at 1.28, then 30.
    QCOMPARE(f->Key("VX4KeyButton39")->font().pixelSize(), 30);
    QVERIFY(f->Key("KAltGrLeft")->isHidden());
    QVERIFY(f->DebugLabel(0)->isHidden());
    QVERIFY(!f->ExitQwert()->isHidden());
    QVERIFY(!f->ExitAbcde()->isHidden());
    QCOMPARE(f->CurrentPage(), 0);
  }

  void LanguageEntriesHideShowAndRelabelKeys() {
    auto f = Create(1.0, "[BUTTONS]\nExitOn=0\n[PREFERENCES]\nDefaultKeyboard=1\nDebug=1\n",
                    "[KEYBOARD]\n"
                    "VX4KeyButton39=\"Ö\",\"\",\"\",\"\",\"ö\",1,DejaVu Sans,24,1\n"
                    "VX4KeyButton40=\"W\",\"\",\"\",\"\",\"w\",1,MS Sans Serif,16,0\n"
                    "KAltGrLeft=\"Alt Gr\",\"\",\"\",\"\",\"\",0,MS Sans Serif,8,1\n");
    KeyButton* q = f->Key("VX4KeyButton39");
    QCOMPARE(q->Legend().captions[0], QString("Ö"));
    QCOMPARE(q->Legend().send_string, std::string("ö"));
    QCOMPARE(q->font().family(), QString("DejaVu Sans"));
    QCOMPARE(q->font().pixelSize(), 32);  // 24 points: the entry's size wins over the layout's
    QVERIFY(f->Key("VX4KeyButton40")->isHidden());
    QVERIFY(!f->Key("KAltGrLeft")->isHidden());
    QVERIFY(f->ExitQwert()->isHidden());
    QVERIFY(f->ExitAbcde()->isHidden());
    QVERIFY(!f->DebugLabel(3)->isHidden());
    QCOMPARE(f->CurrentPage(), 1);
    ClickKey(f->Key("KQWERT"));
    QCOMPARE(f->CurrentPage(), 0);
    f->ResetPage();
    QCOMPARE(f->CurrentPage(), 1);
    QVERIFY(host_.errors.empty());
  }

  void ABadValueCostsOnlyThatKeyAndIsReported() {
    auto f = Create(1.0, "[BUTTONS]\nStartOn=5a\nKeyboardOn=6\n",
                    "[KEYBOARD]\n"
                    "VX4KeyButton39=\"X\",\"\",\"\",\"\",\"x\",1,MS Sans Serif,16,1\n"
                    "VX4KeyButton40=\"Y\",\"\",\"\",\"\",\"y\",one,MS Sans Serif,16,1\n"
                    "VX4KeyButton41=\"Z\",\"\",\"\",\"\",\"z\",1,MS Sans Serif,16,1\n");
    QVERIFY(host_.errors.empty());
    QCOMPARE(setting_errors_.size(), std::size_t{2});
    QCOMPARE(setting_errors_.list()[0].key, std::string("StartOn"));
    QCOMPARE(setting_errors_.list()[1].key, std::string("VX4KeyButton40"));
    QVERIFY(f->Button(ToolbarButtonId::kStart)->isHidden());
    QVERIFY(!f->Button(ToolbarButtonId::kKeyboard)->isHidden());
    QCOMPARE(f->Button(ToolbarButtonId::kKeyboard)->geometry().left(), 10 + 5 * 132);
    QCOMPARE(f->Key("VX4KeyButton39")->Legend().captions[0], QString("X"));
    QCOMPARE(f->Key("VX4KeyButton40")->Legend().captions[0], QString("W"));
    QCOMPARE(f->Key("VX4KeyButton41")->Legend().captions[0], QString("Z"));
  }

  void KeysReturnTheFocusBeforeTheyType() {
    auto f = Create(1.0, "");
    f->show();
    ClickKey(f->Key("KShiftLeft"));
    ClickKey(f->Key("VX4KeyButton65"));  // H
    ClickKey(f->Key("VX4KeyButton47"));  // O
    ClickKey(f->Key("VX4KeyButton95"));  // space bar
    QCOMPARE(keys_.TypedText(), std::string("Ho "));
    // Every press gave the focus back before its key typed (keys type on release).
    QCOMPARE(host_.calls.size(), std::size_t{4});
    QCOMPARE(host_.calls[1], std::string("focus after 0 key events"));
    QVERIFY(host_.calls[2] != host_.calls[3]);
    ClickKey(f->Key("KABCDE"));
    QCOMPARE(f->CurrentPage(), 1);
  }

  void CapsLockColoursTheLockKeys() {
    auto f = Create(1.0, "");
    locks_.states.caps_lock = true;
    f->KeyController()->Poll();
    QCOMPARE(f->Key("KCapsLock")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(f->Key("KShiftLock")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    locks_.states.caps_lock = false;
    f->KeyController()->Poll();
    QCOMPARE(f->Key("KCapsLock")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  }

  void ExitAsksTheKioskToEnd() {
    auto f = Create(1.0, "");
    f->show();
    QTest::mouseClick(f->ExitQwert(), Qt::LeftButton);
    QCOMPARE(host_.exits, 1);
    QVERIFY(host_.calls.empty() || host_.calls.back().rfind("password", 0) != 0);
  }

  void ATouchNeverTakesTheFocus() {
    auto f = Create(1.0, "");
    QVERIFY(f->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QVERIFY(f->windowFlags() & Qt::WindowStaysOnTopHint);
    // Buttons are reached from a keyboard (the frame key) only.
    QCOMPARE(f->Button(ToolbarButtonId::kStart)->focusPolicy(), Qt::TabFocus);
  }

  void DrawsTheToolBar() {
    auto f = Create(1.0, "[BUTTONS]\nStartOn=1\nBackOn=2\n");
    f->show();
    const QImage image = f->grab().toImage();
    QCOMPARE(image.size(), QSize(800, 271));
    // The Start button's picture is drawn in its dark ink somewhere in the button.
    const QRect start = f->Button(ToolbarButtonId::kStart)->geometry();
    bool ink = false;
    for (int y = start.top(); y <= start.bottom() && !ink; ++y) {
      for (int x = start.left(); x <= start.right() && !ink; ++x) ink = image.pixelColor(x, y) == QColor(0, 0, 128);
    }
    QVERIFY(ink);
  }
};

}  // namespace tw

QTEST_MAIN(tw::FormBottomTest)
#include "toolbar_panel_test.moc"
