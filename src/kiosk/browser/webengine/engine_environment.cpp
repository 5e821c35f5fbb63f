#include "kiosk/browser/webengine/engine_environment.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include "kiosk/browser/webengine/kiosk_schemes.h"

namespace tw {

void PrepareWebEngine(const std::vector<std::string>& blocked_protocols) {
  // A debugging port would let anyone on the network drive the kiosk's browser.
  qunsetenv("QTWEBENGINE_REMOTE_DEBUGGING");
  const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (!flags.isEmpty()) {
    QList<QByteArray> kept;
    for (const QByteArray& flag : flags.split(' ')) {
      if (!flag.startsWith("--remote-debugging") && !flag.startsWith("--auto-open-devtools")) kept.append(flag);
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", kept.join(' '));
  }
  RegisterKioskSchemes(blocked_protocols);
}

}  // namespace tw
