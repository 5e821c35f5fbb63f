#include "kiosk/core/kiosk_topics.h"

#include "kiosk/core/kiosk_controller.h"

namespace tw {

bool PokeKioskTopic(KioskController& controller, const std::string& topic, const std::string& item,
                    const std::string&) {
  ActivityTimer& activity = controller.activity();
  if (topic == "TW_SendURL") {
    if (controller.config().debug) controller.WriteLog("TW_SendURL - " + item);
    controller.GoToURL(item, NavigationReason::kRemoteSendURL);
  } else if (topic == "TW_IdleOn") {
    activity.IdleModeOn();
  } else if (topic == "TW_IdleOff") {
    activity.IdleModeOff();
  } else if (topic == "TW_ActiveOn") {
    activity.ActiveModeOn();
  } else if (topic == "TW_ActiveOff") {
    activity.ActiveModeOff();
  } else {
    return false;
  }
  return true;
}

}  // namespace tw
