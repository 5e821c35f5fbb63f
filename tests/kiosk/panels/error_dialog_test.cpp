// The kiosk's error dialog on the offscreen platform: the
// automatic close of messages and questions, relabelled buttons.
#include "kiosk/panels/error_dialog.h"

#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "common/config/profile_file.h"
#include "kiosk/panels/panel_button.h"

namespace tw {
namespace {

class DialogErrorTest : public QObject {
  Q_OBJECT

 private:
  // Drives the dialog's one-second timer by hand `ticks` times while it is shown modally.
  static void TickWhileShown(ErrorDialog& dialog, int ticks, std::vector<bool>* visible_after = nullptr) {
    QTimer::singleShot(0, &dialog, [&dialog, ticks, visible_after] {
      dialog.Timer()->stop();  // the test is the clock
      for (int i = 0; i < ticks && dialog.isVisible(); ++i) {
        dialog.SecondTick();
        if (visible_after) visible_after->push_back(dialog.isVisible());
      }
    });
  }

  ErrorDialogConfig Config(const std::string& text) {
    const std::string path = dir_.filePath("Tarnwick.ini").toStdString();
    std::ofstream(path, std::ios::binary) << text;
    errors_ = SettingErrors();
    return ReadErrorDialogConfig(ProfileFile(path), errors_);
  }

  SettingErrors errors_;

  QTemporaryDir dir_;

 private slots:
  void UnansweredMessageClosesOnTheTenthTickWithOK() {
    ErrorDialog dialog;
    std::vector<bool> visible;
    TickWhileShown(dialog, 12, &visible);
    dialog.ShowMessage("Error - disk full");
    QVERIFY(dialog.ok_pressed());
    QCOMPARE(visible.size(), std::size_t{10});
    for (int i = 0; i < 9; ++i) QVERIFY(visible[i]);
    QVERIFY(!visible[9]);
  }

  void UnansweredQuestionClosesWithOKNotPressed() {
    ErrorDialog dialog;
    TickWhileShown(dialog, 10);
    QVERIFY(!dialog.AskQuestion("Delete this message?"));
    QVERIFY(dialog.BCancel()->isHidden());
  }

  void ButtonsAnswerAndEachShowingCountsAfresh() {
    ErrorDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.BOK()->click(); });
    QVERIFY(dialog.AskQuestion("First?"));
    QTimer::singleShot(0, &dialog, [&] { dialog.BCancel()->click(); });
    QVERIFY(!dialog.AskQuestion("Second?"));
    QTimer::singleShot(0, &dialog, [&] { dialog.BOK()->click(); });
    dialog.ShowMessage("Third");
    // A new showing counts its ten seconds afresh.
    std::vector<bool> visible;
    TickWhileShown(dialog, 10, &visible);
    dialog.ShowMessage("Fourth");
    QCOMPARE(visible.size(), std::size_t{10});
  }

  void OpenedMessageReturnsAtOnceAndClosesByItself() {
    ErrorDialog dialog;
    dialog.OpenMessage("Error - late");
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.Timer()->isActive());
    dialog.Timer()->stop();
    for (int i = 0; i < 9; ++i) dialog.SecondTick();
    QVERIFY(dialog.isVisible());
    dialog.SecondTick();
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.ok_pressed());
  }

  void RelabelledButtonsKeepTheirRolesAndTheDialogIsScaledAndCentred() {
    ErrorDialog dialog;
    dialog.Apply(Config("[TEXT]\nOK=Yes\nCancel=No\n"), 1.28);
    QCOMPARE(dialog.BOK()->text(), QString("Yes"));
    QCOMPARE(dialog.BCancel()->text(), QString("No"));
    QCOMPARE(dialog.size(), QSize(553, 155));
    QCOMPARE(dialog.BOK()->geometry(), QRect(461, 82, 73, 52));
    QTimer::singleShot(0, &dialog, [&] { dialog.BOK()->click(); });
    QVERIFY(dialog.AskQuestion("Sure?"));
  }

  void BadGlyphCountCostsOnlyThatKey() {
    ErrorDialog dialog;
    dialog.Apply(Config("[TEXT]\nOK=Fine\n[GLYPHNUM]\nOK=two\nCancel=3\n"), 2.0);
    QCOMPARE(dialog.BOK()->text(), QString("Fine"));
    QCOMPARE(dialog.BOK()->NumGlyphs(), 2);
    QCOMPARE(dialog.BCancel()->NumGlyphs(), 3);
    QCOMPARE(dialog.size(), QSize(864, 242));
    QCOMPARE(errors_.size(), std::size_t{1});
    QCOMPARE(errors_.list()[0].key, std::string("OK"));
    QCOMPARE(errors_.list()[0].value, std::string("two"));
  }

  // The start-up summary of bad settings fits the message line at every scale, also
  // with a two-digit count.
  void TheSettingErrorsSummaryFitsTheMessageLine() {
    const std::vector<SettingError> one_file(12, SettingError{"Tarnwick.ini", "S", "K", "", "", ""});
    std::vector<SettingError> two_files = one_file;
    two_files.push_back({"TWLang.ini", "KEYBOARD", "K", "", "", ""});
    for (const double scale : {1.0, 1.28, 1.6, 2.0}) {
      ErrorDialog dialog;
      dialog.Apply(Config(""), scale);
      for (const auto& errors : {one_file, two_files}) {
        const QString text = QString::fromStdString("Error - " + SettingErrorsSummary(errors));
        QVERIFY2(QFontMetrics(dialog.ErrorMessage()->font()).horizontalAdvance(text) <= dialog.ErrorMessage()->width(),
                 qPrintable(QString::number(scale) + " " + text));
      }
    }
  }
};

}  // namespace
}  // namespace tw

QTEST_MAIN(tw::DialogErrorTest)
#include "error_dialog_test.moc"
