// Types key scripts through the on-screen keyboard's controller, the XTest injector
// and the XKB layout into a real X client's text field, and compares what the
// field reports. Run under a private Xvfb with a UK layout (see run-xvfb-test); the
// Alt Gr rows switch to German and French layouts and back.
#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <string>

#include "platform/x11qt/x11_desktop_windows.h"
#include "text_field_client.h"
#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/xkb_lock_states.h"
#include "platform/x11qt/xtest_key_injector.h"
#include "widgets/keyboard_controller.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  if (!ok) ++failures;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);  // offscreen: the controller needs no window of its own
  if (argc < 2) {
    std::fprintf(stderr, "usage: keyboard_xvfb_test TEXT_FIELD_CLIENT\n");
    return 2;
  }
  tw::X11Display display;
  if (!display) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 2;
  }
  tw::XTestKeyInjector keys(display.Get());
  tw::X11DesktopWindows windows(display);
  tw::XkbLockStates locks(display);
  Check(keys.Available(), "XTest and XKB present");

  QProcess client;
  const tw::WindowHandle field = tw::test::StartTextFieldClient(client, QString::fromLocal8Bit(argv[1]));
  Check(field != tw::kNoWindow, "text field client started");
  if (field == tw::kNoWindow) return 1;
  // Wait until the server knows the window is mapped.
  for (int i = 0; i < 100 && windows.WindowText(field).empty(); ++i) client.waitForReadyRead(20);
  Check(windows.IsWindow(field), "client window exists");
  Check(windows.WindowText(field) == "Tarnwick typing test", "title read: " + windows.WindowText(field));

  QWidget form;
  tw::KeyboardController controller(&form, {&keys, &windows, &locks, nullptr});
  std::vector<std::string> messages;
  controller.OnMessage = [&](const std::string& caption, const std::string& text) {
    messages.push_back(caption + ": " + text);
  };
  controller.SetAutoHandle(false);
  controller.TrackWindow(field);
  Check(controller.AppTitle() == "Tarnwick typing test", "controller follows the field");

  try {
    // Typing activates the field first (it does not have the focus yet).
    controller.SendKeys("ab+cd{LEFT 2}{BS}x{END}");
    Check(windows.ForegroundWindow() == field, "field brought forward");
    std::string text = tw::test::WaitForFieldText(client, "axCd", 5000);
    Check(text == "axCd", "script with Shift, arrows and Backspace: '" + text + "'");
    // The poll sees the client's new title.
    for (int i = 0; i < 100 && controller.AppTitle() != "Tarnwick typing test - axCd"; ++i) {
      client.waitForReadyRead(20);
      controller.Poll();
    }
    Check(controller.AppTitle() == "Tarnwick typing test - axCd", "title followed: " + controller.AppTitle());

    // Shifted characters and characters of the current (UK) layout, one of them
    // on the third level.
    controller.SendKeys("\xC2\xA3!@\xE2\x82\xAC");
    text = tw::test::WaitForFieldText(client, "axCd\xC2\xA3!@\xE2\x82\xAC", 5000);
    Check(text == "axCd\xC2\xA3!@\xE2\x82\xAC", "layout characters: '" + text + "'");

    // A latched Shift types one capital.
    controller.SetLatched(tw::KeyType::kShift, true);
    controller.SendKeys("q");
    controller.SendKeys("q");
    text = tw::test::WaitForFieldText(client,
                                      "axCd\xC2\xA3!@\xE2\x82\xAC"
                                      "Qq",
                                      5000);
    Check(text ==
              "axCd\xC2\xA3!@\xE2\x82\xAC"
              "Qq",
          "Shift latch: '" + text + "'");
    Check(!controller.Latched(tw::KeyType::kShift), "Shift latch cleared");

    // A character that the layout cannot type is reported, the rest is typed.
    controller.SendKeys(
        "\xE4\xB8\xAD"
        "z");
    text = tw::test::WaitForFieldText(client,
                                      "axCd\xC2\xA3!@\xE2\x82\xAC"
                                      "Qqz",
                                      5000);
    Check(text ==
              "axCd\xC2\xA3!@\xE2\x82\xAC"
              "Qqz",
          "after an untypable character: '" + text + "'");
    Check(messages == std::vector<std::string>{"SendKeys: Invalid KeyName"}, "message reported");

    // With Caps Lock on, capitals need no Shift and small letters do.
    controller.SendKeys("{CAPSLOCK}");
    controller.Poll();
    Check(controller.Locked(tw::LockKey::kCapsLock), "Caps Lock on");
    controller.SendKeys("Ab");
    controller.SendKeys("{CAPSLOCK}");
    controller.Poll();
    Check(!controller.Locked(tw::LockKey::kCapsLock), "Caps Lock off");
    text = tw::test::WaitForFieldText(client,
                                      "axCd\xC2\xA3!@\xE2\x82\xAC"
                                      "QqzAb",
                                      5000);
    Check(text ==
              "axCd\xC2\xA3!@\xE2\x82\xAC"
              "QqzAb",
          "typed under Caps Lock: '" + text + "'");

    // The Alt Gr latch holds the third-level shift for the next key: what that key
    // gives there depends on the layout.
    struct AltGrRow {
      const char* layout;
      const char* key;
      const char* typed;
    };
    const AltGrRow rows[] = {
        {"gb", "4", "\xE2\x82\xAC"},  // euro sign
        {"de", "q", "@"},
        {"de", "7", "{"},
        {"fr", "e", "\xE2\x82\xAC"},
    };
    std::string expected =
        "axCd\xC2\xA3!@\xE2\x82\xAC"
        "QqzAb";
    for (const AltGrRow& row : rows) {
      if (QProcess::execute("setxkbmap", {"-layout", row.layout}) != 0) {
        Check(false, std::string("setxkbmap ") + row.layout);
        continue;
      }
      // The injector and the client both read the new map.
      QThread::msleep(700);
      QCoreApplication::processEvents();
      controller.SetLatched(tw::KeyType::kAltGr, true);
      controller.SendKeys(row.key);
      expected += row.typed;
      text = tw::test::WaitForFieldText(client, expected, 5000);
      Check(text == expected, std::string("Alt Gr latch + ") + row.key + " on " + row.layout + ": '" + text + "'");
      Check(!controller.Latched(tw::KeyType::kAltGr), "Alt Gr latch cleared");
    }
    QProcess::execute("setxkbmap", {"-layout", "gb"});
  } catch (const std::exception& e) {
    Check(false, std::string("exception: ") + e.what());
  }

  // Num Lock: toggled directly, seen on the indicator.
  bool before = locks.ReadLockStates().num_lock;
  controller.SendKeys("{NUMLOCK}");
  controller.Poll();
  Check(locks.ReadLockStates().num_lock != before, "Num Lock toggled");
  Check(controller.Locked(tw::LockKey::kNumLock) != before, "controller mirrors Num Lock");
  controller.SendKeys("{NUMLOCK}");
  Check(locks.ReadLockStates().num_lock == before, "Num Lock toggled back");

  client.terminate();
  if (!client.waitForFinished(3000)) client.kill();
  // The window is gone: the next poll drops the target.
  for (int i = 0; i < 250 && windows.IsWindow(field); ++i) QThread::msleep(20);
  Check(!windows.IsWindow(field), "closed window is no window");
  controller.Poll();
  Check(controller.AppHandle() == tw::kNoWindow && controller.AppTitle().empty(), "poll drops the vanished target");
  std::printf("%s\n", failures == 0 ? "all passed" : "some checks failed");
  return failures == 0 ? 0 : 1;
}
