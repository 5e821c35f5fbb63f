// The kiosk's topics for other programs on the session bus: bus name
// org.tarnwick.TARNWICK, object "/", interface org.tarnwick.Dde.
//   Poke(topic, item, data)  TW_SendURL (item = URL), TW_IdleOn, TW_IdleOff,
//                            TW_ActiveOn, TW_ActiveOff, WWW_URLEcho (a browser's page report)
//   Request(topic, item)     WWW_OpenURL (a browser handing over an address of a protocol the
//                            kiosk keeps from it; answers "1"); "" for anything else
// From a shell:  tarnwick --poke TOPIC [ITEM]
//   or: gdbus call --session --dest org.tarnwick.TARNWICK --object-path /
//         --method org.tarnwick.Dde.Poke TW_SendURL http://example.org/ ""  (one line)
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "kiosk/core/commands/kiosk_topics.h"

namespace tw {

inline constexpr char kKioskBusName[] = "org.tarnwick.TARNWICK";
inline constexpr char kKioskBusInterface[] = "org.tarnwick.Dde";

class KioskDbusService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.tarnwick.Dde")

 public:
  explicit KioskDbusService(KioskTopicTargets targets, QObject* parent = nullptr);
  // Takes the bus name and publishes the object; the reason when that fails.
  bool Register(QString* error);

 public slots:
  void Poke(const QString& topic, const QString& item, const QString& data);
  QString Request(const QString& topic, const QString& item);

 public:
  // Where WWW_OpenURL's addresses go (the browser loop's protocol requests).
  // Queues an address (none when empty); false when the browser running hands none over.
  std::function<bool(const std::string& url)> open_url;

 private:
  KioskTopicTargets targets_;
};

// The operator's command line: pokes a topic of the running kiosk. Returns the exit code
// (0 done, 1 not delivered) and says why on stderr.
int PokeRunningKiosk(const QString& topic, const QString& item);

}  // namespace tw
