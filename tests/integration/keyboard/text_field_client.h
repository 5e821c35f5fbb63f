// The typing tests' side of text_field_client: starting it on the X display and reading
// what its field holds.
#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <string>

#include "platform/desktop_windows.h"

namespace tw::test {

// Starts the client (its window on the X display, not offscreen) and returns its window,
// or kNoWindow when it did not show one within ten seconds.
inline WindowHandle StartTextFieldClient(QProcess& client, const QString& program) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "xcb");
  client.setProcessEnvironment(env);
  client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  client.start(program, {});
  WindowHandle field = kNoWindow;
  QElapsedTimer started;
  started.start();
  while (field == kNoWindow && started.elapsed() < 10000) {
    client.waitForReadyRead(100);
    while (client.canReadLine()) {
      const QByteArray line = client.readLine().trimmed();
      if (line.startsWith("WINDOW ")) field = line.mid(7).toULongLong();
    }
  }
  return field;
}

// Reads the client's lines until its field holds `expected`, or the time is up. Returns
// the last text the field reported.
inline std::string WaitForFieldText(QProcess& client, const std::string& expected, int timeout_ms) {
  static std::string last;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < timeout_ms) {
    while (client.canReadLine()) {
      std::string line = client.readLine().toStdString();
      if (!line.empty() && line.back() == '\n') line.pop_back();
      if (line.rfind("TEXT ", 0) == 0) last = line.substr(5);
      if (last == expected) return last;
    }
    client.waitForReadyRead(50);
  }
  return last;
}

}  // namespace tw::test
