#include "kiosk/core/banner_rotation.h"

#include <algorithm>

namespace tw {
namespace {

std::uint32_t ReadColour(const ProfileFile& ini, const char* key, const char* default_text) {
  return static_cast<std::uint32_t>(StrictProfileInteger(ini.ReadString("CLOCK", key, default_text)));
}

}  // namespace

void ReadBannerBarConfig(const ProfileFile& ini, BannerBarConfig& c) {
  const std::size_t n = ini.ReadSection("BANNERGRAPHICS").size();
  c.logo_file = ini.ReadString("URLS", "LogoFile", "");
  c.graphics.clear();
  c.urls.clear();
  c.times.clear();
  for (std::size_t i = 0; i < n; ++i) {
    const std::string number = std::to_string(i);
    c.graphics.push_back(ini.ReadString("BANNERGRAPHICS", "Graphic" + number, ""));
    c.urls.push_back(ini.ReadString("BANNERURLS", "URL" + number, ""));
    c.times.push_back(ini.ReadString("BANNERTIMES", "Time" + number, ""));
  }
  c.background = ini.ReadString("GRAPHICS", "Top", "");
  c.show_clock = ini.ReadBool("PREFERENCES", "ShowClock", true);
  c.back_colour = ReadColour(ini, "BackColour", "$8000000F");
  c.face_colour = ReadColour(ini, "FaceColour", "$80000005");
  c.outline_colour = ReadColour(ini, "OutlineColour", "$80000006");
  c.sec_hand_colour = ReadColour(ini, "SecHandColour", "$80000006");
  c.tick_colour = ReadColour(ini, "TickColour", "$80000006");
  c.shape = StrictProfileInteger(ini.ReadString("CLOCK", "Shape", "0"));
  c.show_seconds = ini.ReadBool("CLOCK", "ShowSeconds", true);
}

std::string CannotLoadBannerText(const std::string& file) { return "Cannot Load Banner - " + file; }

std::optional<std::size_t> BannerRotation::Advance() {
  ++shown_seconds_;
  if (times_.empty()) return std::nullopt;
  int time = 0;
  const auto parsed = ParseProfileInteger(times_[index_]);
  if (parsed) {
    time = *parsed;
  } else if (std::find(bad_times_reported_.begin(), bad_times_reported_.end(), index_) ==
             bad_times_reported_.end()) {
    // Reported once: the banner stays, the kiosk is not flooded with the same error.
    bad_times_reported_.push_back(index_);
    throw ConversionError(times_[index_]);
  }
  if (time != shown_seconds_) return std::nullopt;
  index_ = (index_ + 1) % times_.size();
  shown_seconds_ = 0;
  return index_;
}

std::optional<std::string> BannerRotation::ClickURL() const {
  if (index_ >= urls_.size()) return std::nullopt;
  const std::string& url = urls_[index_];
  if (url.empty() || url == "none") return std::nullopt;
  return url;
}

}  // namespace tw
