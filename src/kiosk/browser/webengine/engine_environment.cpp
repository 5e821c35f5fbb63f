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
  bool without_gpu = false;
  QList<QByteArray> kept;
  for (const QByteArray& flag : flags.split(' ')) {
    if (flag.isEmpty() || flag.startsWith("--remote-debugging") || flag.startsWith("--auto-open-devtools")) continue;
    kept.append(flag);
    without_gpu = without_gpu || flag == "--disable-gpu";
  }
  // The page's own accessibility tree, for a screen reader started at any time during the
  // kiosk's run (the speech button starts one): the engine builds it only when told at
  // its start.
  if (!kept.contains("--force-renderer-accessibility")) kept.append("--force-renderer-accessibility");
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", kept.join(' '));
  if (without_gpu) {
    // The engine draws its pages in software: the kiosk's windows then do too. OpenGL
    // would only pass the pictures through a software renderer, and starting that takes
    // a tenth of a second and more of the kiosk's start. Either can still be set here.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")) qputenv("QT_XCB_GL_INTEGRATION", "none");
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) qputenv("QT_QUICK_BACKEND", "software");
  }
  RegisterKioskSchemes(blocked_protocols);
}

}  // namespace tw
