#include "kiosk/core/commands/kiosk_topics.h"

#include "common/texts/log_texts.h"
#include "kiosk/core/attract/activity_timer.h"
#include "kiosk/core/kiosk_requests.h"
#include "kiosk/core/settings/kiosk_config.h"

namespace tw {

std::string QuotedItemURL(const std::string& item) {
  if (item.size() < 2) return {};
  const auto end = item.find("\",\"", 1);
  if (end != std::string::npos) return item.substr(1, end - 1);
  return item.substr(1, item.back() == '"' ? item.size() - 2 : std::string::npos);
}

namespace {

// A browser reporting a loaded page the old way (the external browser of today reports
// its pages over its own control pipe).
void URLEcho(const KioskTopicTargets& targets, const std::string& item) {
  if (targets.config.debug) targets.kiosk.WriteLog(log_text::kURLEcho + item);
  const std::string url = QuotedItemURL(item);
  // The type follows the separator, up to the next quote and comma (or its closing quote).
  std::string type;
  const auto separator = item.find("\",\"", 1);
  if (separator != std::string::npos) {
    const auto start = separator + 3;
    auto end = item.find("\",", start);
    if (end == std::string::npos) end = item.find('"', start);
    type = item.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }
  // Every loaded page is logged when asked for, not only while the carousel runs.
  if (type == "internal/parser" && targets.config.log_switches.log_loaded_urls && !url.empty()) {
    targets.kiosk.WriteLog(log_text::kPageLoaded + url);
  }
}

}  // namespace

bool PokeKioskTopic(const KioskTopicTargets& targets, const std::string& topic, const std::string& item,
                    const std::string&) {
  ActivityTimer& activity = targets.activity;
  if (topic == "TW_SendURL") {
    if (targets.config.debug) targets.kiosk.WriteLog(log_text::kSendURL + item);
    targets.kiosk.GoToURL(item, NavigationReason::kRemoteSendURL);
  } else if (topic == "TW_IdleOn") {
    activity.IdleModeOn();
  } else if (topic == "TW_IdleOff") {
    activity.IdleModeOff();
  } else if (topic == "TW_ActiveOn") {
    activity.ActiveModeOn();
  } else if (topic == "TW_ActiveOff") {
    activity.ActiveModeOff();
  } else if (topic == "WWW_URLEcho") {
    URLEcho(targets, item);
  } else {
    return false;
  }
  return true;
}

}  // namespace tw
