// The arrows' scrolling on the real web engine (offscreen): the page that holds the
// focused field scrolls, not the field; a focused frame's page scrolls; what can scroll
// and where the focused field is.
#include "kiosk/browser/webengine/page_scroller.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include "kiosk/browser/webengine/engine_environment.h"

namespace tw {

class PageScrollerTest : public QObject {
  Q_OBJECT

 private:
  QWebEngineView* view_ = nullptr;

  bool Load(const QString& body) {
    QSignalSpy loaded(view_->page(), &QWebEnginePage::loadFinished);
    view_->page()->setHtml("<!DOCTYPE html><html><body style='margin:0'>" + body + "</body></html>",
                           QUrl("http://kiosk.test/"));
    return loaded.wait(15000) && loaded.at(0).at(0).toBool();
  }

  QVariant Eval(const QString& script) {
    QVariant result;
    bool done = false;
    view_->page()->runJavaScript(script, [&](const QVariant& v) {
      result = v;
      done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000)) return QString("no answer");
    return result;
  }

  // Runs the scroller once and waits for its answer.
  std::optional<PageScrollAnswer> Step(PageScroller& scroller, std::optional<ScrollDirection> direction) {
    std::optional<PageScrollAnswer> answer;
    scroller.OnAnswer = [&](const PageScrollAnswer& a) { answer = a; };
    scroller.Run(direction);
    if (!QTest::qWaitFor([&] { return answer.has_value(); }, 10000)) return std::nullopt;
    return answer;
  }

 private slots:
  void init() {
    view_ = new QWebEngineView;
    view_->resize(400, 300);
    view_->show();
  }
  void cleanup() { delete view_; }

  void FocusedFieldsPageScrollsNotTheField() {
    QVERIFY(Load("<div style='height:2000px'><textarea id='t' rows='3'>" + QString("line\n").repeated(50) +
                 "</textarea></div>"));
    QCOMPARE(Eval("document.getElementById('t').focus(); document.activeElement.id").toString(), QString("t"));
    PageScroller scroller([this] { return view_->page(); }, 20);
    const auto answer = Step(scroller, ScrollDirection::kDown);
    QVERIFY(answer);
    QCOMPARE(Eval("Math.round(scrollY)").toInt(), 20);
    QCOMPARE(Eval("document.getElementById('t').scrollTop").toInt(), 0);
    QVERIFY(answer->vertical);
    QVERIFY(!answer->horizontal);
    QCOMPARE(answer->caret_y, std::optional<int>(-20));  // the field moved up with the page
    QVERIFY(Step(scroller, ScrollDirection::kUp));
    QCOMPARE(Eval("Math.round(scrollY)").toInt(), 0);
  }

  void NothingFocusedScrollsThePageAndHasNoCaret() {
    QVERIFY(Load("<div style='height:300px;width:3000px'></div><div style='height:900px'></div>"));
    PageScroller scroller([this] { return view_->page(); }, 25);
    const auto look = Step(scroller, std::nullopt);
    QVERIFY(look);
    QCOMPARE(Eval("Math.round(scrollY)").toInt(), 0);
    QVERIFY(look->vertical);
    QVERIFY(look->horizontal);
    QCOMPARE(look->caret_y, std::nullopt);
    QVERIFY(Step(scroller, ScrollDirection::kRight));
    QCOMPARE(Eval("Math.round(scrollX)").toInt(), 25);
  }

  void ShortPageCannotScroll() {
    QVERIFY(Load("<input id='f' autofocus>"));
    PageScroller scroller([this] { return view_->page(); }, 20);
    const auto look = Step(scroller, ScrollDirection::kDown);
    QVERIFY(look);
    QVERIFY(!look->vertical);
    QVERIFY(!look->horizontal);
    QCOMPARE(look->caret_y, std::optional<int>(0));
  }

  void FocusedFramesPageScrolls() {
    QVERIFY(
        Load("<iframe id='fr' style='width:380px;height:200px' srcdoc=\"<div style='height:1500px'>"
             "<input id='in'></div>\"></iframe><div style='height:100px'></div>"));
    QVERIFY(QTest::qWaitFor([&] { return Eval("!!(document.getElementById('fr').contentDocument||{}).body").toBool(); },
                            10000));
    Eval("document.getElementById('fr').contentDocument.getElementById('in').focus()");
    PageScroller scroller([this] { return view_->page(); }, 30);
    QVERIFY(Step(scroller, ScrollDirection::kDown));
    QCOMPARE(Eval("Math.round(document.getElementById('fr').contentWindow.scrollY)").toInt(), 30);
    QCOMPARE(Eval("Math.round(scrollY)").toInt(), 0);
  }

  void NoPageNoRequest() {
    PageScroller scroller([] { return nullptr; }, 20);
    scroller.Run(ScrollDirection::kDown);
    QVERIFY(!scroller.busy());
  }
};

}  // namespace tw

int main(int argc, char** argv) {
  tw::PrepareWebEngine({});
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  tw::PageScrollerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "page_scroller_test.moc"
