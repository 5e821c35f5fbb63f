#include "kiosk/core/banner_rotation.h"

namespace tw {

void ReadBannerBarConfig(const ProfileFile& ini, BannerBarConfig& c, SettingErrors& errors) {
  const auto colour = [&](const char* key, std::uint32_t default_value) {
    return static_cast<std::uint32_t>(errors.Integer(ini, "CLOCK", key, static_cast<int>(default_value)));
  };
  const std::size_t n = ini.ReadSection("BANNERGRAPHICS").size();
  c.logo_file = ini.ReadString("URLS", "LogoFile", "");
  c.graphics.clear();
  c.urls.clear();
  c.times.clear();
  for (std::size_t i = 0; i < n; ++i) {
    const std::string number = std::to_string(i);
    const std::string graphic = ini.ReadString("BANNERGRAPHICS", "Graphic" + number, "");
    const std::string url = ini.ReadString("BANNERURLS", "URL" + number, "");
    const auto time = errors.RequiredInteger(ini, "BANNERTIMES", "Time" + number, "the banner is skipped");
    if (!time) continue;
    c.graphics.push_back(graphic);
    c.urls.push_back(url);
    c.times.push_back(*time);
  }
  c.background = ini.ReadString("GRAPHICS", "Top", "");
  c.show_clock = ini.ReadBool("PREFERENCES", "ShowClock", true);
  c.back_colour = colour("BackColour", 0x8000000F);
  c.face_colour = colour("FaceColour", 0x80000005);
  c.outline_colour = colour("OutlineColour", 0x80000006);
  c.sec_hand_colour = colour("SecHandColour", 0x80000006);
  c.tick_colour = colour("TickColour", 0x80000006);
  c.shape = errors.Integer(ini, "CLOCK", "Shape", 0);
  c.show_seconds = ini.ReadBool("CLOCK", "ShowSeconds", true);
}

std::string CannotLoadBannerText(const std::string& file) { return "Cannot Load Banner - " + file; }

std::optional<std::size_t> BannerRotation::Advance() {
  ++shown_seconds_;
  if (times_.empty()) return std::nullopt;
  if (times_[index_] != shown_seconds_) return std::nullopt;
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
