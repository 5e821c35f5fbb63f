// The topics other programs poke to steer the running kiosk: a page to show, idle mode
// and active mode on and off.
#pragma once

#include <string>

namespace tw {

class KioskController;

// Carries out a poke on a topic; false for a topic the kiosk does not serve. The item
// is the URL for "TW_SendURL" and is ignored otherwise, as is the data.
bool PokeKioskTopic(KioskController& controller, const std::string& topic, const std::string& item,
                    const std::string& data);

}  // namespace tw
