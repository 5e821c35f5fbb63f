// The embedded browser forgets a visitor on the real web engine: after the wipe a page of
// the same site sees none of the cookies or storage the last visitor's pages set, and
// there is no page to go back to.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>
#include <string>
#include <vector>

#include "kiosk/browser/webengine/engine_environment.h"
#include "kiosk/browser/webengine/browser_window.h"

namespace tw {

class SessionEvents : public BrowserEvents {
 public:
  void BrowserStarted() override {}
  void BeforeNavigate(const std::string&, bool, bool&) override {}
  void NavigateComplete(const std::string& url) override { loaded.push_back(url); }
  void NavigateError(const std::string&, const std::string&) override {}
  void NavigationRefused(const std::string&) override {}
  void BrowserNote(const std::string&) override {}
  void PrintFailed() override {}
  void CloseKioskQuestions() override {}
  void PageCrashed(const std::string&, const std::string&) override {}
  void BrowserPageShown(const std::string&) override {}
  void NewWindow(const std::string&, bool& cancel) override { cancel = true; }
  void DownloadBegin() override { ++begins; }
  void DownloadComplete() override { ++completes; }
  void CommandStateChange(BrowserCommand command, bool enable) override {
    (command == BrowserCommand::kBack ? back : forward) = enable;
  }
  BrowserDialogAnswer BrowserDialog(BrowserDialogKind, const std::string&) override {
    return BrowserDialogAnswer::kCancel;
  }

  std::vector<std::string> loaded;
  int begins = 0, completes = 0;
  bool back = false, forward = false;
};

class FormIESessionTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  QString Page(const QString& name) {
    QFile f(dir_.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write("<!DOCTYPE html><html><body>" + name.toUtf8() + "</body></html>");
    return QUrl::fromLocalFile(f.fileName()).toString();
  }

  // Shows a page of the site http://kiosk.test/ and returns what the script gives back.
  static QString OnSite(BrowserWindow& form, SessionEvents& e, const QString& script) {
    const std::size_t before = e.loaded.size();
    form.WebBrowser()->page()->setHtml("<!DOCTYPE html><html><body>site</body></html>", QUrl("http://kiosk.test/"));
    if (!QTest::qWaitFor([&] { return e.loaded.size() > before; }, 15000)) return "not loaded";
    QString result = "no answer";
    bool answered = false;
    form.WebBrowser()->page()->runJavaScript(script, [&](const QVariant& v) {
      result = v.toString();
      answered = true;
    });
    if (!QTest::qWaitFor([&] { return answered; }, 10000)) return "no answer";
    return result;
  }

 private slots:
  void WipeForgetsCookiesStorageAndHistory() {
    SessionEvents e;
    BrowserWindow form(e, {});
    form.resize(640, 480);
    form.show();
    const QString set =
        "document.cookie='visitor=ann; max-age=3600'; localStorage.setItem('v','ann');"
        "sessionStorage.setItem('s','ann'); document.cookie + '|' + localStorage.getItem('v')";
    QCOMPARE(OnSite(form, e, set), QString("visitor=ann|ann"));
    form.Navigate(Page("one.htm").toStdString());
    QVERIFY(QTest::qWaitFor([&] { return e.loaded.size() >= 2; }, 15000));
    form.Navigate(Page("two.htm").toStdString());
    QVERIFY(QTest::qWaitFor([&] { return e.back; }, 15000));
    // Still there before the wipe.
    const QString read = "document.cookie + '|' + localStorage.getItem('v') + '|' + sessionStorage.getItem('s')";
    QVERIFY(OnSite(form, e, read).startsWith("visitor=ann|ann"));

    form.EndVisitorSession();
    QVERIFY(!e.back);
    QVERIFY(!e.forward);
    QCOMPARE(e.begins, e.completes);
    QCOMPARE(OnSite(form, e, read), QString("|null|null"));
    form.Navigate(Page("three.htm").toStdString());
    QVERIFY(QTest::qWaitFor([&] { return e.back; }, 15000));  // history goes on from the new page
  }
};

}  // namespace tw

int main(int argc, char** argv) {
  tw::PrepareWebEngine({});
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  tw::FormIESessionTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "browser_window_session_test.moc"
