// The topics other programs poke to steer the running kiosk: a page to show, idle mode
// and active mode on and off.
#pragma once

#include <string>

namespace tw {

class ActivityTimer;
class KioskRequests;
struct KioskConfig;

// What a poke reaches: the page queue and the log, the idle and active modes, the settings.
struct KioskTopicTargets {
  KioskRequests& kiosk;
  ActivityTimer& activity;
  const KioskConfig& config;
};

// Carries out a poke on a topic; false for a topic the kiosk does not serve. The item
// is the URL for "TW_SendURL", the browser's echo of a loaded page for "WWW_URLEcho"
// (quoted URL, comma, quoted type), and is ignored otherwise, as is the data.
bool PokeKioskTopic(const KioskTopicTargets& kiosk, const std::string& topic, const std::string& item,
                    const std::string& data);

// The URL of a browser's call-back item: from its second character up to the first quote,
// comma, quote (or the closing quote).
std::string QuotedItemURL(const std::string& item);

}  // namespace tw
