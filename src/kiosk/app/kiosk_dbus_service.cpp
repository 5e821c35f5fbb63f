#include "kiosk/app/kiosk_dbus_service.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusInterface>
#include <QDBusReply>
#include <cstdio>

#include "common/texts/log_texts.h"
#include "kiosk/core/kiosk_requests.h"
#include "kiosk/core/settings/kiosk_config.h"
#include "kiosk/core/commands/kiosk_topics.h"

namespace tw {

KioskDbusService::KioskDbusService(KioskTopicTargets targets, QObject* parent) : QObject(parent), targets_(targets) {}

bool KioskDbusService::Register(QString* error) {
  // Without a session bus of its own the kiosk starts none (no autolaunch beside it).
  if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
    *error = "no session bus";
    return false;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    *error = "no session bus: " + bus.lastError().message();
    return false;
  }
  if (!bus.registerService(kKioskBusName)) {
    *error = bus.lastError().message();
    return false;
  }
  if (!bus.registerObject("/", this, QDBusConnection::ExportAllSlots)) {
    *error = bus.lastError().message();
    return false;
  }
  return true;
}

void KioskDbusService::Poke(const QString& topic, const QString& item, const QString& data) {
  targets_.kiosk.Guarded(
      [&] { PokeKioskTopic(targets_, topic.toStdString(), item.toStdString(), data.toStdString()); });
}

QString KioskDbusService::Request(const QString& topic, const QString& item) {
  // A browser handing over an address of a protocol the kiosk keeps from it; only while
  // the kiosk runs a browser that hands them over.
  if (topic != "WWW_OpenURL" || !open_url) return QString();
  const std::string text = item.toStdString();
  if (!open_url(QuotedItemURL(text))) return QString();
  if (targets_.config.debug) targets_.kiosk.WriteLog(log_text::kOpenURL + text);
  return QStringLiteral("1");
}

int PokeRunningKiosk(const QString& topic, const QString& item) {
  if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
    std::fprintf(stderr, "tarnwick: no session bus (DBUS_SESSION_BUS_ADDRESS is not set)\n");
    return 1;
  }
  QDBusInterface kiosk(kKioskBusName, "/", kKioskBusInterface, QDBusConnection::sessionBus());
  if (!kiosk.isValid()) {
    std::fprintf(stderr, "tarnwick: no running kiosk on the session bus (%s)\n",
                 qPrintable(kiosk.lastError().message()));
    return 1;
  }
  const QDBusReply<void> reply = kiosk.call("Poke", topic, item, QString());
  if (!reply.isValid()) {
    std::fprintf(stderr, "tarnwick: poke not delivered (%s)\n", qPrintable(reply.error().message()));
    return 1;
  }
  return 0;
}

}  // namespace tw
