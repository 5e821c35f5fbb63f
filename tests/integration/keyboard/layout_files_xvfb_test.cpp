// The shipped keyboard layout files against the X layouts they are made for: every
// visible key that shows characters is typed through the on-screen keyboard's
// controller, the XTest injector and the X server's layout into a real text field, plain,
// with the Shift latch and with the Alt Gr latch, and what arrives must be what its
// legends show. Run under a private Xvfb (see run-xvfb-test).
//   layout_files_xvfb_test LANGUAGE_FOLDER TEXT_FIELD_CLIENT
#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QThread>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/keyboard/keyboard_key.h"
#include "common/texts/language_file.h"
#include "common/config/profile_file.h"
#include "platform/x11qt/x11_desktop_windows.h"
#include "text_field_client.h"
#include "platform/x11qt/x11_display.h"
#include "platform/x11qt/xkb_lock_states.h"
#include "platform/x11qt/xkb_system_keyboard.h"
#include "platform/x11qt/xtest_key_injector.h"
#include "widgets/keyboard_controller.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
  if (!ok || std::getenv("LAYOUT_TEST_VERBOSE") != nullptr) std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  if (!ok) ++failures;
}

enum class Latch { kNone, kShift, kAltGr };

struct Typing {
  std::string key;
  Latch latch;
  std::string send_string;
  QString expected;
};

// Keys of a layout whose characters are dead keys in the X layout: the X server has no
// key that types "^" on its own in "de" or "fr" (only a dead circumflex that waits for the
// next key), nor the acute and grave accents in "de" or the diaeresis in "fr". The
// injector types characters, not dead keys, so these keys cannot type their legends
// (neither plain nor shifted, since the shifted character is reached through the plain
// one).
const std::set<std::pair<std::string, std::string>> kDeadKeys = {
    {"German", "VX4KeyButton17"}, {"German", "VX4KeyButton29"}, {"French", "VX4KeyButton49"}};

QString Legend(const std::string& text) { return QString::fromStdString(text); }
bool OneCharacter(const QString& text) { return text.size() == 1 || (text.size() == 2 && text[0].isHighSurrogate()); }

// What each key's legends promise, in the key's layout.
std::vector<Typing> Promises(const std::string& layout_name, const std::vector<tw::NamedKeyboardEntry>& keys) {
  std::vector<Typing> out;
  for (const tw::NamedKeyboardEntry& key : keys) {
    const tw::KeyboardEntry& e = key.entry;
    if (!e.visible || e.send_string.empty() || kDeadKeys.count({layout_name, key.name}) != 0) continue;
    const QString top = Legend(e.caption), bottom = Legend(e.caption2), corner = Legend(e.caption4);
    auto add = [&](Latch latch, const QString& expected) {
      if (OneCharacter(expected)) out.push_back({key.name, latch, e.send_string, expected});
    };
    switch (e.key_layout) {
      case tw::KeyLayout::kLetter:
      case tw::KeyLayout::kLetterPlus:
        if (!OneCharacter(top)) break;
        if (top[0].isLetter()) {
          add(Latch::kNone, top.toLower());
          add(Latch::kShift, top.toUpper());
        } else {
          add(Latch::kNone, top);
        }
        if (e.key_layout == tw::KeyLayout::kLetterPlus) add(Latch::kAltGr, corner);
        break;
      case tw::KeyLayout::kDouble:
      case tw::KeyLayout::kQuad:
        add(Latch::kNone, bottom);
        add(Latch::kShift, top);
        if (e.key_layout == tw::KeyLayout::kQuad) add(Latch::kAltGr, corner);
        break;
      case tw::KeyLayout::kNormal: break;  // named keys (Tab, Return, arrows)
    }
  }
  return out;
}

const char* LatchName(Latch latch) {
  return latch == Latch::kNone ? "plain" : latch == Latch::kShift ? "Shift" : "Alt Gr";
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: layout_files_xvfb_test LANGUAGE_FOLDER TEXT_FIELD_CLIENT\n");
    return 2;
  }
  const std::string folder = argv[1];
  tw::X11Display display;
  if (!display) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 2;
  }
  tw::XTestKeyInjector injector(display.Get());
  tw::X11DesktopWindows windows(display);
  tw::XkbLockStates locks(display);

  QProcess client;
  const tw::WindowHandle field = tw::test::StartTextFieldClient(client, QString::fromLocal8Bit(argv[2]));
  Check(field != tw::kNoWindow, "text field client started");
  if (field == tw::kNoWindow) return 1;
  for (int i = 0; i < 100 && windows.WindowText(field).empty(); ++i) client.waitForReadyRead(20);

  QWidget form;
  tw::KeyboardController controller(&form, {&injector, &windows, &locks, nullptr});
  std::vector<std::string> messages;
  controller.OnMessage = [&](const std::string&, const std::string& text) { messages.push_back(text); };
  controller.SetAutoHandle(false);
  controller.TrackWindow(field);

  const struct {
    const char* file;
    const char* x_layout;
  } layouts[] = {{"English", "gb"}, {"American", "us"}, {"German", "de"}, {"French", "fr"}};
  for (const auto& layout : layouts) {
    std::vector<tw::NamedKeyboardEntry> keys = tw::BuiltInKeyboard();
    tw::ProfileFile file(folder + "/" + layout.file + ".ini");
    const tw::LoadedLayout loaded = tw::LoadLayout(file, keys);
    Check(loaded.keyboard.ok() && loaded.name == layout.file,
          std::string(layout.file) + ".ini read, CurKB " + loaded.name);
    if (QProcess::execute("setxkbmap", {"-layout", layout.x_layout}) != 0) {
      Check(false, std::string("setxkbmap ") + layout.x_layout);
      continue;
    }
    // The injector and the client both read the new map.
    QThread::msleep(700);
    QCoreApplication::processEvents();
    // The Setup Manager's "System keyboard:" names the layout file of the same name.
    const std::string system_name = tw::XkbSystemKeyboard(display).LayoutName();
    Check(system_name == layout.file, std::string("system keyboard ") + layout.x_layout + " is " + system_name);
    controller.SendKeys("^a{Backspace}");
    tw::test::WaitForFieldText(client, "", 3000);

    const std::vector<Typing> promises = Promises(layout.file, keys);
    Check(promises.size() > 60,
          std::string(layout.file) + ": " + std::to_string(promises.size()) + " characters to type");
    // Typed one at a time so that a wrong character is named by its key.
    QString expected;
    for (const Typing& t : promises) {
      messages.clear();
      controller.SetLatched(tw::KeyType::kShift, t.latch == Latch::kShift);
      controller.SetLatched(tw::KeyType::kAltGr, t.latch == Latch::kAltGr);
      try {
        controller.SendKeys(t.send_string);
      } catch (const std::exception& e) {
        Check(false, t.key + ": " + e.what());
      }
      expected += t.expected;
      const std::string text = tw::test::WaitForFieldText(client, expected.toStdString(), 3000);
      const bool ok = text == expected.toStdString() && messages.empty();
      Check(ok, std::string(layout.file) + " " + t.key + " " + LatchName(t.latch) + " \"" + t.send_string +
                    "\" types \"" + t.expected.toStdString() + "\"" +
                    (ok ? "" : " (field: \"" + text + "\"" + (messages.empty() ? "" : ", " + messages.front()) + ")"));
      if (!ok) {
        // Start again from an empty field, so one wrong key does not fail the rest.
        controller.SendKeys("^a{Backspace}");
        tw::test::WaitForFieldText(client, "", 3000);
        expected.clear();
      }
    }
  }
  QProcess::execute("setxkbmap", {"-layout", "gb"});
  client.terminate();
  if (!client.waitForFinished(3000)) client.kill();
  std::printf("%s\n", failures == 0 ? "all passed" : "some checks failed");
  return failures == 0 ? 0 : 1;
}
