#include "kiosk/core/attract/banner_rotation.h"

#include "common/config/config_reader.h"

namespace tw {

void ReadBannerBarConfig(const ProfileFile& ini, BannerBarConfig& c, SettingErrors& errors) {
  const ConfigReader read(ini, errors);
  const auto colour = [&](const char* key) { return static_cast<std::uint32_t>(read.Integer("CLOCK", key)); };
  const std::size_t n = ini.ReadSection("BANNERGRAPHICS").size();
  c.logo_file = read.String("URLS", "LogoFile");
  c.graphics.clear();
  c.urls.clear();
  c.times.clear();
  c.descriptions.clear();
  for (std::size_t i = 0; i < n; ++i) {
    const std::string number = std::to_string(i);
    const std::string graphic = ini.ReadString("BANNERGRAPHICS", "Graphic" + number, "");
    const std::string url = ini.ReadString("BANNERURLS", "URL" + number, "");
    const auto time = errors.RequiredInteger(ini, "BANNERTIMES", "Time" + number, "the banner is skipped");
    if (!time) continue;
    c.graphics.push_back(graphic);
    c.urls.push_back(url);
    c.times.push_back(*time);
    c.descriptions.push_back(ini.ReadString("BANNERTEXTS", "Text" + number, ""));
  }
  c.background = read.String("GRAPHICS", "Top");
  c.show_clock = read.Bool("PREFERENCES", "ShowClock");
  c.back_colour = colour("BackColour");
  c.face_colour = colour("FaceColour");
  c.outline_colour = colour("OutlineColour");
  c.sec_hand_colour = colour("SecHandColour");
  c.tick_colour = colour("TickColour");
  c.shape = read.Integer("CLOCK", "Shape");
  c.show_seconds = read.Bool("CLOCK", "ShowSeconds");
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
