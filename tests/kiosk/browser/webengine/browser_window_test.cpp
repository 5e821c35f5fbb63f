// The embedded browser window on the real web engine (offscreen): events for loads,
// history states, command URLs and frames, and printing without a dialog.
#include "kiosk/browser/webengine/browser_window.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QtTest>
#include <string>
#include <vector>

#include "kiosk/browser/webengine/engine_environment.h"

namespace tw {

class RecordingEvents : public BrowserEvents {
 public:
  void BrowserStarted() override {}
  void BeforeNavigate(const std::string& url, bool, bool& cancel) override {
    before.push_back(url);
    cancel = url.rfind("tw-command:", 0) == 0 || url.find("blocked.htm") != std::string::npos;
  }
  void NavigateComplete(const std::string& url) override { loaded.push_back(url); }
  void NavigateError(const std::string& url, const std::string&) override { failed.push_back(url); }
  void NavigationRefused(const std::string&) override {}
  void BrowserNote(const std::string&) override {}
  void PrintFailed() override {}
  void CloseKioskQuestions() override {}
  void PageCrashed(const std::string& url, const std::string& reason) override {
    crashed.push_back(url + " " + reason);
  }
  void BrowserPageShown(const std::string&) override {}
  void NewWindow(const std::string& url, bool& cancel) override {
    new_windows.push_back(url);
    cancel = true;
  }
  void DownloadBegin() override { ++begins; }
  void DownloadComplete() override { ++completes; }
  void CommandStateChange(BrowserCommand command, bool enable) override {
    (command == BrowserCommand::kBack ? back : forward) = enable;
  }
  BrowserDialogAnswer BrowserDialog(BrowserDialogKind kind, const std::string& text) override {
    dialogs.push_back(std::to_string(static_cast<int>(kind)) + ":" + text);
    return kind == BrowserDialogKind::kPrintRequest ? BrowserDialogAnswer::kOk : BrowserDialogAnswer::kCancel;
  }

  std::vector<std::string> before, loaded, failed, crashed, new_windows, dialogs;
  int begins = 0, completes = 0;
  bool back = false, forward = false;
};

class FormIETest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  QString Page(const QString& name, const QString& body) {
    QFile f(dir_.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(("<!DOCTYPE html><html><head><title>" + name + "</title></head><body>" + body + "</body></html>").toUtf8());
    return QUrl::fromLocalFile(f.fileName()).toString();
  }

  static bool WaitLoaded(RecordingEvents& e, std::size_t count) {
    return QTest::qWaitFor([&] { return e.loaded.size() >= count; }, 15000);
  }

 private slots:
  void LoadsReportHistoryAndBusyState() {
    RecordingEvents e;
    BrowserWindow form(e, {});
    form.resize(640, 480);
    form.show();
    const QString first = Page("first.htm", "first");
    const QString second = Page("second.htm", "second");
    form.Navigate(first.toStdString());
    QVERIFY(WaitLoaded(e, 1));
    QCOMPARE(QString::fromStdString(e.loaded[0]), first);
    QVERIFY(!e.back);
    form.Navigate(second.toStdString());
    QVERIFY(WaitLoaded(e, 2));
    QVERIFY(QTest::qWaitFor([&] { return e.back; }, 5000));
    QVERIFY(!e.forward);
    form.RunOnPage(PageOperation::kBack);
    QVERIFY(WaitLoaded(e, 3));
    QVERIFY(QTest::qWaitFor([&] { return e.forward && !e.back; }, 5000));
    QCOMPARE(e.begins, e.completes);
    QVERIFY(e.begins >= 3);
    QCOMPARE(QString::fromStdString(e.before.at(0)), first);
  }

  void CancelledNavigationIsNotALoadedPage() {
    RecordingEvents e;
    BrowserWindow form(e, {});
    form.show();
    form.Navigate(Page("start.htm", "<a id=a href='blocked.htm'>x</a>").toStdString());
    QVERIFY(WaitLoaded(e, 1));
    form.Navigate(Page("blocked.htm", "never").toStdString());
    form.Navigate("tw-command:START?");
    QTest::qWait(1500);
    QCOMPARE(e.loaded.size(), std::size_t{1});
    QVERIFY(std::find(e.before.begin(), e.before.end(), "tw-command:START?") != e.before.end());
  }

  void FramesPassBeforeNavigate() {
    RecordingEvents e;
    BrowserWindow form(e, {});
    form.show();
    const QString frame = Page("frame.htm", "in the frame");
    form.Navigate(Page("frames.htm", "<iframe src='frame.htm'></iframe>").toStdString());
    QVERIFY(WaitLoaded(e, 1));
    QVERIFY(QTest::qWaitFor(
        [&] { return std::find(e.before.begin(), e.before.end(), frame.toStdString()) != e.before.end(); }, 5000));
  }

  void NewWindowsAndDownloadsGoThroughTheKiosk() {
    RecordingEvents e;
    BrowserWindow form(e, {});
    form.show();
    const QString popup = Page("popup.htm", "popup");
    QFile bin(dir_.filePath("data.bin"));
    bin.open(QIODevice::WriteOnly);
    bin.write(QByteArray(4096, '\1'));
    bin.close();
    // A script's pop-up without the visitor's click is dropped by the engine; one from a
    // click reaches the kiosk.
    form.resize(400, 300);
    form.Navigate(Page("opener.htm",
                       "<script>window.open('popup.htm');</script><a href='popup.htm' "
                       "target='_blank' style='display:block;height:250px'>open</a>")
                      .toStdString());
    QVERIFY(WaitLoaded(e, 1));
    QTest::qWait(1000);
    QVERIFY(e.new_windows.empty());
    QWidget* surface = form.WebBrowser()->focusProxy();
    QVERIFY(surface != nullptr);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(QTest::qWaitFor([&] { return !e.new_windows.empty(); }, 10000));
    QCOMPARE(QString::fromStdString(e.new_windows[0]), popup);
    form.Navigate(QUrl::fromLocalFile(bin.fileName()).toString().toStdString());
    QVERIFY(QTest::qWaitFor(
        [&] {
          return std::any_of(e.dialogs.begin(), e.dialogs.end(),
                             [](const std::string& d) { return d.rfind("4:", 0) == 0; });
        },
        10000));
  }

  void PrintsToAFileWithoutADialog() {
    RecordingEvents e;
    BrowserWindow form(e, {});
    form.resize(640, 480);
    form.show();
    form.Navigate(Page("print.htm", "<h1>Printed page</h1>").toStdString());
    QVERIFY(WaitLoaded(e, 1));
    const QString pdf = dir_.filePath("out.pdf");
    form.SetPrintToFile(pdf);
    QSignalSpy finished(form.WebBrowser(), &QWebEngineView::printFinished);
    form.RunOnPage(PageOperation::kPrint);
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QFile out(pdf);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QVERIFY(out.read(4) == "%PDF");
  }
};

}  // namespace tw

int main(int argc, char** argv) {
  tw::PrepareWebEngine({"gopher"});
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  tw::FormIETest test;
  return QTest::qExec(&test, argc, argv);
}

#include "browser_window_test.moc"
