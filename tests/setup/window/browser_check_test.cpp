// OK's external-browser check from the main window, against fake browsers: what the
// operator is asked and shown, what "Yes" adjusts (then checked again), and what comes back
// into the pages (a new program, the switch to the embedded browser).
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <filesystem>

#include "setup/window/browser_check_dialog.h"
#include "setup/window/field_binding.h"
#include "setup/window/setup_window.h"
#include "fakes/fake_system_keyboard.h"
#include "support/fake_browser.h"
#include "support/demo_folder.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {

using test::FakeBrowserMode;

class BrowserCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void TheCheckAsksAdjustsAndHandsItsResultToTheWindow() {
    enum Setup { kNone, kOnPath, kOnPathOld, kStaleLock };
    const struct {
      const char* name;
      Setup setup;
      const char* file_name;  // "@" stands for the temporary folder
      bool answer;            // to every question
      bool locate;            // the operator picks a program elsewhere when asked
      const char* clicks;     // per run: Y(es), N(o), O(K)
      QStringList asked;      // the questions' beginnings
      const char* told;       // the error's beginning, or ""
      const char* last_line;
      const char* file_name_after;
      const char* browser_after;
    } kCases[] = {
        {"a wrong path, the browser on PATH",
         kOnPath,
         "/nonexistent/chromium --lang=de",
         true,
         false,
         "YO",
         {},
         "",
         "Your external browser settings are correct.",
         "@/bin/chromium --lang=de",
         "0"},
        {"no browser: the embedded one instead",
         kNone,
         "chromium",
         false,
         false,
         "O",
         {"Setup Manager found no external browser"},
         "",
         "Now using EMBEDDED BROWSER.",
         "chromium",
         "1"},
        {"no browser: located by the operator",
         kNone,
         "chromium",
         true,
         true,
         "YO",
         {"Setup Manager found no external browser", "Setup Manager was unable to locate"},
         "",
         "Your external browser settings are correct.",
         "\"@/elsewhere/my browser\"",
         "0"},
        {"no browser, none located: kept as written",
         kNone,
         "chromium",
         true,
         false,
         "YN",
         {"Setup Manager found no external browser", "Setup Manager was unable to locate"},
         "Setup Manager was unable to adjust",
         "Would you like Setup Manager to make these changes for you now?",
         "chromium",
         "0"},
        {"too old, kept",
         kOnPathOld,
         "chromium",
         true,
         false,
         "O",
         {"Your system has an incompatible"},
         "",
         "Your external browser settings are correct, but your version is not fully compatible with Tarnwick.",
         "chromium",
         "0"},
        {"too old, switched",
         kOnPathOld,
         "chromium",
         false,
         false,
         "O",
         {"Your system has an incompatible"},
         "",
         "Now using EMBEDDED BROWSER.",
         "chromium",
         "1"},
        {"a stale lock in the profile folder",
         kStaleLock,
         "chromium",
         true,
         false,
         "YO",
         {},
         "",
         "Your external browser settings are correct.",
         "chromium",
         "0"},
    };
    const std::string old_path = std::getenv("PATH");
    for (const auto& c : kCases) {
      test::TempDir dir;
      const QString at = QString::fromStdString(dir.path());
      std::filesystem::create_directories(dir.File("bin"));
      std::filesystem::create_directories(dir.File("elsewhere"));
      if (c.setup != kNone) {
        test::WriteFakeBrowser(dir.File("bin"), "chromium", FakeBrowserMode::kAnswers,
                               c.setup == kOnPathOld ? 110 : 130);
      }
      test::WriteFakeBrowser(dir.File("elsewhere"), "my browser", FakeBrowserMode::kAnswers);
      if (c.setup == kStaleLock) {
        std::filesystem::create_directories(dir.File("browser-profile"));
        std::filesystem::create_symlink("gone-host-1", dir.File("browser-profile/SingletonLock"));
      }
      ::setenv("PATH", dir.File("bin").c_str(), 1);
      test::CopyDemo(dir);
      SetupSession session(dir.path());
      session.config().SetValue("BROWSER", "Browser", "0");
      session.config().SetValue("BROWSER", "FileName", c.file_name);
      test::FakeSystemKeyboard keyboard("us");
      SetupWindow window(session, false, {}, nullptr, &keyboard);
      QStringList asked;
      QString told;
      window.SetBrowserCheckQuestions({
          [&](const QString& q) {
            asked << q;
            return c.answer;
          },
          [&](const QString& t) { told = t; },
          [&] { return c.locate ? at + "/elsewhere/my browser" : QString(); },
      });

      int runs = 0;
      QString last_line;
      bool colours_right = true;
      QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<BrowserCheckDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        connect(dialog, &BrowserCheckDialog::Finished, dialog, [&, dialog] {
          const char click = c.clicks[runs++];
          last_line = dialog->line(2)->text();
          for (int row = 0; row < kBrowserCheckRows; ++row) {
            const RowVerdict verdict = dialog->report().rows[static_cast<std::size_t>(row)].verdict;
            const QString style = dialog->rowLabel(row)->styleSheet();
            colours_right = colours_right && (verdict == RowVerdict::kGood  ? style == "color: green"
                                              : verdict == RowVerdict::kBad ? style == "color: red"
                                                                            : !dialog->rowLabel(row)->isEnabled());
          }
          QPushButton* button = click == 'Y'   ? dialog->yesButton()
                                : click == 'N' ? dialog->noButton()
                                               : dialog->okButton();
          QVERIFY2(button->isVisible(), qPrintable(QString(c.name) + ": button " + click));
          QTimer::singleShot(0, button, &QPushButton::click);
        });
      });
      window.CheckExternalBrowser();
      const QString name = c.name;
      QVERIFY2(runs == static_cast<int>(std::strlen(c.clicks)), qPrintable(name + QString(": runs %1").arg(runs)));
      QVERIFY2(colours_right, qPrintable(name));
      QCOMPARE(last_line, QString(c.last_line));
      QCOMPARE(asked.size(), c.asked.size());
      for (int i = 0; i < asked.size(); ++i)
        QVERIFY2(asked[i].startsWith(c.asked[i]), qPrintable(name + ": " + asked[i]));
      QVERIFY2(*c.told == 0 ? told.isEmpty() : told.startsWith(c.told), qPrintable(name + ": " + told));
      QCOMPARE(QString::fromStdString(session.config().Value("BROWSER", "FileName")),
               QString(c.file_name_after).replace("@", at));
      QCOMPARE(session.config().Value("BROWSER", "Browser"), std::string(c.browser_after));
      // The page shows what came back.
      for (FieldBinding* field : window.pages().fields) {
        if (field->field().section == "BROWSER" && field->field().key != "DDE") {
          QCOMPARE(field->Shown(), QString::fromStdString(session.config().Value("BROWSER", field->field().key)));
        }
      }
    }
    ::setenv("PATH", old_path.c_str(), 1);
  }
};

}  // namespace tw

QTEST_MAIN(tw::BrowserCheckTest)
#include "browser_check_test.moc"
