// The banner bar's settings and its rotating banners. The rotation is driven from
// outside, one second at a time, so it follows whatever clock drives the kiosk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"

namespace tw {

struct BannerBarConfig {
  std::string logo_file;              // URLS/LogoFile
  std::vector<std::string> graphics;  // BANNERGRAPHICS/Graphic<i>
  std::vector<std::string> urls;      // BANNERURLS/URL<i>
  std::vector<int> times;             // BANNERTIMES/Time<i>, seconds
  // BANNERTEXTS/Text<i>: what a screen reader says for the banner (its picture's text).
  std::vector<std::string> descriptions;
  std::string background;  // GRAPHICS/Top
  bool show_clock = true;
  // 00BBGGRR; a top byte of 80 names a system colour.
  std::uint32_t back_colour = 0x8000000F;
  std::uint32_t face_colour = 0x80000005;
  std::uint32_t outline_colour = 0x80000006;
  std::uint32_t sec_hand_colour = 0x80000006;
  std::uint32_t tick_colour = 0x80000006;
  int shape = 0;  // 0 circle, 1 square
  bool show_seconds = true;

  bool operator==(const BannerBarConfig&) const = default;
};

// Reads the banner bar's keys in order. The number of banners is the number of keys
// in BANNERGRAPHICS, whatever their names. A banner whose time is missing or not a
// number is left out; a colour or shape that is not a number has its default. Both
// are recorded in `errors`.
void ReadBannerBarConfig(const ProfileFile& ini, BannerBarConfig& config, SettingErrors& errors);

// "Cannot Load Banner - " + the file name: drawn in the banner and logged.
std::string CannotLoadBannerText(const std::string& file);

class BannerRotation {
 public:
  explicit BannerRotation(const BannerBarConfig& config)
      : graphics_(config.graphics), urls_(config.urls), times_(config.times) {}

  // One second has passed. Returns the index of the banner to show now when it changed.
  // A banner with a time of 0 or below stays.
  std::optional<std::size_t> Advance();

  // The page the current banner leads to; none for "none" (exactly) and empty URLs,
  // and none while no banner is configured.
  std::optional<std::string> ClickURL() const;

  std::size_t index() const { return index_; }
  int shown_seconds() const { return shown_seconds_; }
  std::size_t count() const { return graphics_.size(); }
  const std::string& Graphic(std::size_t i) const { return graphics_[i]; }

 private:
  std::vector<std::string> graphics_;
  std::vector<std::string> urls_;
  std::vector<int> times_;
  std::size_t index_ = 0;
  int shown_seconds_ = 0;
};

}  // namespace tw
