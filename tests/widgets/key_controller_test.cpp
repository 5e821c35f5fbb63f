// The on-screen keyboard's controller and keys, with a fake desktop and a recording
// key injector.
#include <QMouseEvent>
#include <QtTest>

#include "common/config/profile_file.h"
#include "fakes/fake_button_sound.h"
#include "fakes/fake_desktop_windows.h"
#include "fakes/fake_key_injector.h"
#include "fakes/fake_lock_states.h"
#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"

namespace tw {
namespace {

constexpr WindowHandle kBrowser = 0x400001;
constexpr WindowHandle kEditor = 0x500001;

std::string Joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : " ") + p;
  return out;
}

const char* LatchName(KeyType type) {
  switch (type) {
    case KeyType::kShift: return "Shift";
    case KeyType::kAlt: return "Alt";
    case KeyType::kCtrl: return "Ctrl";
    case KeyType::kAltGr: return "AltGr";
    case KeyType::kNormal: break;
  }
  return "none";
}

const char* LockName(LockKey lock) {
  switch (lock) {
    case LockKey::kCapsLock: return "Caps";
    case LockKey::kNumLock: return "Num";
    case LockKey::kScrollLock: return "Scroll";
  }
  return "none";
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &event);
}

}  // namespace

class KeyControllerTest : public QObject {
  Q_OBJECT

 private:
  test::FakeKeyInjector keys_;
  test::FakeDesktopWindows windows_;
  test::FakeLockStates locks_;
  test::FakeButtonSound sounds_;
  std::unique_ptr<QWidget> form_;
  KeyboardController* controller_ = nullptr;
  std::vector<std::string> events_;
  std::vector<std::string> errors_;

  KeyboardController::Platform Platform() { return {&keys_, &windows_, &locks_, &sounds_}; }

  KeyButton* AddKey(KeyId key) {
    auto* button = new KeyButton(form_.get());
    button->SetKeyController(controller_);
    button->SetKey(key);
    return button;
  }

  void Record(KeyboardController& c) {
    auto note = [this](const char* name) { return [this, name](KeyboardController&) { events_.push_back(name); }; };
    c.OnLatchChange = [this](KeyboardController&, KeyType type) { events_.push_back(LatchName(type)); };
    c.OnLockChange = [this](KeyboardController&, LockKey lock) { events_.push_back(LockName(lock)); };
    c.OnAppHandleChange = note("Handle");
    c.OnAppTitleChange = note("Title");
    c.OnMessage = [this](const std::string& caption, const std::string& text) {
      errors_.push_back(caption + ": " + text);
    };
    c.OnException = [this](std::exception_ptr e) {
      try {
        std::rethrow_exception(e);
      } catch (const std::exception& x) {
        errors_.push_back(std::string("exception: ") + x.what());
      }
    };
  }

 private slots:
  void init() {
    keys_ = {};
    windows_ = {};
    locks_ = {};
    sounds_ = {};
    events_.clear();
    errors_.clear();
    windows_.titles = {{kBrowser, "Browser"}, {kEditor, "Editor"}};
    windows_.foreground = kBrowser;
    form_ = std::make_unique<QWidget>();
    controller_ = new KeyboardController(form_.get(), Platform());
    Record(*controller_);
  }

  void cleanup() { form_.reset(); }

  void ShiftLatchTypesOneCapital() {
    KeyButton* shift = AddKey(KeyId::Shift);
    KeyButton* shift2 = AddKey(KeyId::Shift);
    KeyButton* a = AddKey(KeyId::A);
    shift->Click();
    QVERIFY(controller_->Latched(KeyType::kShift));
    QVERIFY(shift->LooksPressed());
    QVERIFY(shift2->LooksPressed());  // every Shift key on the form shows the latch
    QVERIFY(!a->LooksPressed());
    QVERIFY(keys_.events.empty());  // a modifier key types nothing
    a->Click();
    QCOMPARE(Joined(keys_.log), std::string("+Shift +a -a -Shift"));
    QCOMPARE(keys_.TypedText(), std::string("A"));
    QVERIFY(!controller_->Latched(KeyType::kShift));
    QVERIFY(!shift->LooksPressed());
    a->Click();
    QCOMPARE(keys_.TypedText(), std::string("Aa"));
    QCOMPARE(Joined(events_), std::string("Shift Shift"));
  }

  void ModifierClickedTwiceIsOff() {
    KeyButton* shift = AddKey(KeyId::Shift);
    shift->Click();
    shift->Click();
    QVERIFY(!controller_->Latched(KeyType::kShift));
    QCOMPARE(Joined(events_), std::string("Shift Shift"));
  }

  void EmptyScriptKeepsLatches() {
    AddKey(KeyId::Shift)->Click();
    AddKey(KeyId::Ctrl)->Click();  // empty send string: the Shift latch stays on
    QVERIFY(controller_->Latched(KeyType::kShift));
    QVERIFY(controller_->Latched(KeyType::kCtrl));
    controller_->SendKeys("");
    QVERIFY(controller_->Latched(KeyType::kShift));
    QVERIFY(keys_.events.empty());
    // Both latches go into one key script, Ctrl outside Shift.
    AddKey(KeyId::C)->Click();
    QCOMPARE(Joined(keys_.log), std::string("+Ctrl +Shift +c -c -Shift -Ctrl"));
    QVERIFY(!controller_->Latched(KeyType::kShift));
    QVERIFY(!controller_->Latched(KeyType::kCtrl));
  }

  void AltGrLatchHoldsTheThirdLevelShift() {
    controller_->SetLatched(KeyType::kAltGr, true);
    controller_->SendKeys("e");
    QCOMPARE(Joined(keys_.log), std::string("+AltGr +e -e -AltGr"));
    QVERIFY(!controller_->Latched(KeyType::kAltGr));
  }

  void InactiveKeyOnlyClicks() {
    KeyButton* shift = AddKey(KeyId::Shift);
    KeyButton* a = AddKey(KeyId::A);
    int clicks = 0;
    a->OnClick = [&](KeyButton&) { ++clicks; };
    shift->OnClick = [&](KeyButton&) { ++clicks; };
    a->SetActive(false);
    shift->SetActive(false);
    a->Click();
    shift->Click();
    QCOMPARE(clicks, 2);
    QVERIFY(keys_.events.empty());
    QVERIFY(!controller_->Latched(KeyType::kShift));
    QVERIFY(windows_.activations.empty());
  }

  void ActivatesTargetBeforeTyping() {
    controller_->TrackWindow(kEditor);
    QCOMPARE(controller_->AppHandle(), kEditor);
    QCOMPARE(controller_->AppTitle(), std::string("Editor"));
    controller_->SendKeys("x");
    QCOMPARE(windows_.activations, std::vector<WindowHandle>{kEditor});
    QCOMPARE(keys_.TypedText(), std::string("x"));
    controller_->SendKeys("y");  // already in front: no second activation
    QCOMPARE(windows_.activations.size(), std::size_t(1));
  }

  void RefusedActivationTypesNothing() {
    controller_->TrackWindow(kEditor);
    windows_.refuse_activation = true;
    bool thrown = false;
    try {
      controller_->SendKeys("x");
    } catch (const EKeyError& e) {
      thrown = true;
      QCOMPARE(std::string(e.what()), std::string("Unable to activate Program"));
    }
    QVERIFY(thrown);
    QVERIFY(keys_.events.empty());
    // Through a click the error reaches the handler, and the latch stays as it was.
    KeyButton* shift = AddKey(KeyId::Shift);
    int clicks = 0;
    shift->OnClick = [&](KeyButton&) { ++clicks; };
    shift->Click();
    QCOMPARE(Joined(errors_), std::string("exception: Unable to activate Program"));
    QVERIFY(!controller_->Latched(KeyType::kShift));
    QCOMPARE(clicks, 0);
  }

  void TrackWindowIgnoresOwnFormAndNonWindows() {
    form_->show();  // gives the form a native window
    controller_->SetAutoHandle(false);
    controller_->TrackWindow(kBrowser);
    events_.clear();
    controller_->TrackWindow(kBrowser);
    controller_->TrackWindow(kNoWindow);
    controller_->TrackWindow(0x999);  // not a window
    controller_->TrackWindow(static_cast<WindowHandle>(form_->winId()));
    QCOMPARE(controller_->AppHandle(), kBrowser);
    QVERIFY(events_.empty());
    controller_->TrackWindow(kEditor);
    QCOMPARE(Joined(events_), std::string("Handle Title"));
  }

  void PollFollowsTheDesktop() {
    controller_->Poll();
    QCOMPARE(controller_->AppHandle(), kBrowser);
    QCOMPARE(Joined(events_), std::string("Handle Title"));
    events_.clear();
    windows_.titles[kBrowser] = "Browser - page 2";
    controller_->Poll();
    QCOMPARE(controller_->AppTitle(), std::string("Browser - page 2"));
    QCOMPARE(Joined(events_), std::string("Title"));
    events_.clear();
    controller_->Poll();
    QVERIFY(events_.empty());
    // The target disappears (nothing else in front).
    windows_.titles.erase(kBrowser);
    windows_.foreground = kNoWindow;
    controller_->Poll();
    QCOMPARE(controller_->AppHandle(), kNoWindow);
    QCOMPARE(controller_->AppTitle(), std::string());
    QCOMPARE(Joined(events_), std::string("Handle Title"));
    // Without AutoHandle the controller stays on its target.
    events_.clear();
    controller_->SetAutoHandle(false);
    controller_->TrackWindow(kEditor);
    windows_.foreground = kEditor + 1;
    windows_.titles[kEditor + 1] = "Other";
    controller_->Poll();
    QCOMPARE(controller_->AppHandle(), kEditor);
    // Long titles are cut.
    windows_.titles[kEditor] = std::string(300, 'x');
    controller_->Poll();
    QCOMPARE(controller_->AppTitle().size(), std::size_t(255));
  }

  void PollMirrorsLockStates() {
    controller_->SetAutoHandle(false);
    locks_.states = {true, false, false};
    controller_->Poll();
    QVERIFY(controller_->Locked(LockKey::kCapsLock));
    QCOMPARE(Joined(events_), std::string("Caps"));
    locks_.states = {true, true, true};
    controller_->Poll();
    controller_->Poll();
    QCOMPARE(Joined(events_), std::string("Caps Scroll Num"));
    QVERIFY(controller_->Locked(LockKey::kNumLock) && controller_->Locked(LockKey::kScrollLock));
    QVERIFY(controller_->Polling());
  }

  void HandlerExceptionDoesNotStopTheController() {
    controller_->OnLockChange = [this](KeyboardController&, LockKey lock) {
      if (lock == LockKey::kCapsLock) throw std::runtime_error("handler failed");
      events_.push_back(LockName(lock));
    };
    locks_.states = {true, true, false};
    controller_->Poll();
    QVERIFY(controller_->Locked(LockKey::kCapsLock));
    QVERIFY(controller_->Locked(LockKey::kNumLock));  // the poll went on after the throwing handler
    QCOMPARE(Joined(errors_), std::string("exception: handler failed"));
    QCOMPARE(events_.back(), std::string("Num"));
  }

  void ScriptMessagesGoToTheHandler() {
    controller_->SendKeys("{NOPE}a");
    QCOMPARE(Joined(errors_), std::string("SendKeys: Invalid Key Name"));
    QCOMPARE(keys_.TypedText(), std::string("a"));
    errors_.clear();
    keys_ = {};
    controller_->SendKeys("+^{LEFT");
    QCOMPARE(Joined(errors_), std::string("SendKeys: No Close"));
    QCOMPARE(Joined(keys_.log), std::string("+Shift +Ctrl -Ctrl -Shift"));
    keys_ = {};
    controller_->SendKeys("{NUMLOCK}");
    QCOMPARE(keys_.num_lock_toggles, 1);
  }

  void BadRepeatCountRaisesConversionError() {
    bool thrown = false;
    try {
      controller_->SendKeys("a+{LEFT many}");
    } catch (const ConversionError& e) {
      thrown = true;
      QCOMPARE(std::string(e.what()), std::string("'many' is not a valid integer value"));
    }
    QVERIFY(thrown);
    QCOMPARE(Joined(keys_.log), std::string("+a -a +Shift -Shift"));
  }

  void SendEventOnlyOnTheSetupCopy() {
    SendingKeyboardController setup(form_.get(), Platform());
    std::vector<std::string> sent;
    setup.OnSend = [&](KeyboardController& sender, const std::string& script, WindowHandle target) {
      QCOMPARE(&sender, static_cast<KeyboardController*>(&setup));
      sent.push_back(script + "@" + std::to_string(target) + " typed " + std::to_string(keys_.events.size()));
    };
    setup.TrackWindow(kBrowser);
    setup.SetLatched(KeyType::kShift, true);
    setup.SendKeys("q");
    QCOMPARE(sent, std::vector<std::string>{"q@" + std::to_string(kBrowser) + " typed 0"});
    QCOMPARE(keys_.TypedText(), std::string("Q"));
  }

  void PalettesReachTheKeys() {
    KeyButton* a = AddKey(KeyId::A);
    KeyButton* tab = AddKey(KeyId::Tab);
    QCOMPARE(a->Colours().face, ColourValue(13228248));
    QCOMPARE(tab->Colours().high, ColourValue(14875642));
    controller_->SetUseColour(false);
    QCOMPARE(a->Colours().face, ColourValue(12632256));
    QCOMPARE(a->Colours().low, ColourValue(8421504));
    QCOMPARE(tab->Colours().face, ColourValue(8421504));
    QCOMPARE(tab->Colours().low, ColourValue(0));
    controller_->SetUseColour(true);
    QCOMPARE(controller_->Look().palette.light.face, ColourValue(13228248));
    KeyboardLook look = controller_->Look();
    look.palette = ColourPalette(0x102030, look.palette.dark.face);
    controller_->SetLook(look);
    QCOMPARE(controller_->Look().palette.light.high, ColourValue(0x506070));
    QCOMPARE(controller_->Look().palette.light.low, ColourValue(0x000000));
    QCOMPARE(a->Colours().face, ColourValue(0x102030));
    QCOMPARE(a->Colours().high, ColourValue(0x506070));
    QCOMPARE(tab->Colours().face, ColourValue(kDefaultDarkColour));
  }

  void KeyTableFillsTheKey() {
    KeyboardLook look = controller_->Look();
    look.medium_font_size = 12;
    controller_->SetLook(look);
    KeyButton* two = AddKey(KeyId::Two);
    QCOMPARE(two->Legend().captions[0], QStringLiteral("\""));
    QCOMPARE(two->Legend().captions[1], QStringLiteral("2"));
    QCOMPARE(two->Legend().send_string, std::string("2"));
    QCOMPARE(two->Look().layout, KeyLayout::kDouble);
    QCOMPARE(two->font().pointSize(), 12);
    KeyButton* q = AddKey(KeyId::Q);
    QCOMPARE(q->CaptionPositions()[0], (PixelPoint{5, 2}));
    QCOMPARE(q->font().pointSize(), 16);
    // The controller's size wins over a size the key had stored.
    QFont stored = q->font();
    stored.setPointSize(30);
    q->setFont(stored);
    q->Loaded();
    QCOMPARE(q->font().pointSize(), 16);
  }

  void MouseClickNeedsReleaseInside() {
    KeyButton* b = AddKey(KeyId::B);
    std::string mouse;
    b->OnMouseDown = [&](KeyButton&, QMouseEvent&) { mouse += 'd'; };
    b->OnMouseMove = [&](KeyButton&, QMouseEvent&) { mouse += 'm'; };
    b->OnMouseUp = [&](KeyButton&, QMouseEvent& e) { mouse += e.button() == Qt::LeftButton ? 'u' : 'r'; };
    b->SetSound(KeySound::kCustom);
    b->SetCustomSound("/sounds/click.wav");
    SendMouse(*b, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(b->Held());
    QCOMPARE(sounds_.played.size(), std::size_t(1));
    QCOMPARE(sounds_.played[0].first, ButtonSound::kCustom);
    QCOMPARE(sounds_.played[0].second, std::string("/sounds/click.wav"));
    SendMouse(*b, QEvent::MouseMove, {60, 10}, Qt::NoButton, Qt::LeftButton);
    QVERIFY(!b->Held());
    SendMouse(*b, QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::LeftButton);
    QVERIFY(b->Held());
    SendMouse(*b, QEvent::MouseButtonRelease, {20, 20}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!b->Held());
    QCOMPARE(keys_.TypedText(), std::string("b"));
    // Released outside: no click.
    SendMouse(*b, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(*b, QEvent::MouseMove, {-5, 10}, Qt::NoButton, Qt::LeftButton);
    SendMouse(*b, QEvent::MouseButtonRelease, {-5, 10}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(keys_.TypedText(), std::string("b"));
    // A disabled key neither sounds nor types; the right button does nothing.
    b->setEnabled(false);
    SendMouse(*b, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(*b, QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    b->setEnabled(true);
    SendMouse(*b, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
    SendMouse(*b, QEvent::MouseButtonRelease, {10, 10}, Qt::RightButton, Qt::NoButton);
    QCOMPARE(keys_.TypedText(), std::string("b"));
    QCOMPARE(sounds_.played.size(), std::size_t(2));
    QCOMPARE(mouse, std::string("dmmudmudr"));
  }

  void PressedKeyPaintsSwappedEdgesAndShiftedCaptions() {
    KeyButton* shift = AddKey(KeyId::Shift);
    shift->resize(50, 40);
    QImage raised = shift->grab().toImage().convertToFormat(QImage::Format_RGB32);
    controller_->SetLatched(KeyType::kShift, true);  // a latched modifier looks pressed
    QImage pressed = shift->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb high = qRgb(0xFA, 0xFB, 0xE2), low = qRgb(0x7A, 0x7B, 0x62);
    QCOMPARE(raised.pixel(0, 0), high);
    QCOMPARE(raised.pixel(1, 20), high);
    QCOMPARE(raised.pixel(49, 39), low);
    QCOMPARE(raised.pixel(48, 20), low);
    QCOMPARE(pressed.pixel(0, 0), low);
    QCOMPARE(pressed.pixel(49, 39), high);
    // Inside the frame the pressed picture is the raised one moved by one pixel.
    int caption_pixels = 0;
    for (int y = 2; y < 36; ++y) {
      for (int x = 2; x < 46; ++x) {
        QCOMPARE(pressed.pixel(x + 1, y + 1), raised.pixel(x, y));
        caption_pixels += raised.pixel(x, y) != raised.pixel(2, 2);
      }
    }
    QVERIFY(caption_pixels > 20);  // "Shift" was drawn
  }
};

}  // namespace tw

QTEST_MAIN(tw::KeyControllerTest)
#include "key_controller_test.moc"
