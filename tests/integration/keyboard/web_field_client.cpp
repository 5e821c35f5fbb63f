// A real web page as the typing target: a text input in a QtWebEngine view. Prints
// "WINDOW <id>" once the page has loaded, then "TEXT <value>" whenever the input's
// value changes; the window title ends with the value.
#include <QApplication>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWebEngineView view;
  view.setWindowTitle(QStringLiteral("Tarnwick typing test"));
  view.resize(500, 120);
  QString last;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    view.page()->runJavaScript(QStringLiteral("document.getElementById('f').value"), [&](const QVariant& value) {
      QString text = value.toString();
      if (text == last) return;
      last = text;
      view.setWindowTitle(QStringLiteral("Tarnwick typing test - ") + text);
      std::printf("TEXT %s\n", text.toUtf8().constData());
      std::fflush(stdout);
    });
  });
  QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool ok) {
    if (!ok) return;
    view.page()->runJavaScript(QStringLiteral("document.getElementById('f').focus()"));
    poll.start(30);
    std::printf("WINDOW %llu\n", static_cast<unsigned long long>(view.winId()));
    std::fflush(stdout);
  });
  view.setHtml(QStringLiteral("<html><body><input id='f' autofocus size='40'></body></html>"));
  view.show();
  return app.exec();
}
