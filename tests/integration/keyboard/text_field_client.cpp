// A real X client for the typing test: one text field in a window. It prints
// "WINDOW <id>" once the window is on screen, then "TEXT <text>" after every change;
// the window title ends with the text.
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLineEdit field;
  field.setWindowTitle(QStringLiteral("Tarnwick typing test"));
  field.resize(400, 40);
  QObject::connect(&field, &QLineEdit::textChanged, [&field](const QString& text) {
    // The title follows the text, so a watcher sees the window's title change.
    field.setWindowTitle(QStringLiteral("Tarnwick typing test - ") + text);
    std::printf("TEXT %s\n", text.toUtf8().constData());
    std::fflush(stdout);
  });
  field.show();
  QTimer::singleShot(0, [&field] {
    std::printf("WINDOW %llu\n", static_cast<unsigned long long>(field.winId()));
    std::fflush(stdout);
  });
  return app.exec();
}
