// Everything the running kiosk reads from Tarnwick.ini and TWLang.ini, read once at
// start-up by the plain readers, in the order the windows used to read them. The
// windows receive their part as a typed struct; none reads a file itself.
#pragma once

#include <string>
#include <vector>

#include "common/keyboard/keyboard_section.h"
#include "common/texts/language_messages.h"
#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"
#include "kiosk/core/attract/banner_rotation.h"
#include "kiosk/email/rules/email_window_config.h"
#include "kiosk/core/settings/kiosk_config.h"
#include "kiosk/core/settings/side_panel_config.h"
#include "kiosk/core/frame/toolbar_layout.h"

namespace tw {

// The kiosk's own error dialog.
struct ErrorDialogConfig {
  std::string background;  // GRAPHICS/Error
  std::string ok_caption = "OK";
  std::string cancel_caption = "Cancel";
  int ok_glyph_count = 2;  // GLYPHNUM/OK, Cancel
  int cancel_glyph_count = 2;
  std::string ok_glyph;  // GLYPH/OK, Cancel
  std::string cancel_glyph;
  int ok_sound = 0;  // SOUNDS/OKSource, OKWav, CancelSource, CancelWav
  std::string ok_wav;
  int cancel_sound = 0;
  std::string cancel_wav;

  bool operator==(const ErrorDialogConfig&) const = default;
};

// The attract video.
struct VideoConfig {
  std::string file_name = "xxx";  // ATTRACT/VideoFileName
  int width = 800;                // ATTRACT/VideoWidth, pixels, not scaled
  int height = 600;               // ATTRACT/VideoHeight

  bool operator==(const VideoConfig&) const = default;
};

// What the kiosk shows visitors in their language: the keyboard's keys and the messages.
struct LanguageSettings {
  std::vector<NamedKeyboardEntry> keyboard;  // in the keyboard's creation order
  NewBrowserMessages new_browser;
  std::string print_failed;
  std::string idle_warning;

  bool operator==(const LanguageSettings&) const = default;
};

struct KioskSettings {
  KioskConfig kiosk;
  std::string splash;  // PREFERENCES/Splash
  BannerBarConfig banner;
  ToolbarConfig toolbar;
  LeftPanelConfig left;
  RightPanelConfig right;
  ErrorDialogConfig error_dialog;
  VideoConfig video;
  EmailWindowConfig email;
  LanguageSettings language;

  bool operator==(const KioskSettings&) const = default;
};

struct LoadedKioskSettings {
  KioskSettings settings;
  // Every value that could not be converted, in reading order; each has its default.
  SettingErrors errors;
};

LoadedKioskSettings LoadKioskSettings(const ProfileFile& ini, const ProfileFile& language);

ErrorDialogConfig ReadErrorDialogConfig(const ProfileFile& ini, SettingErrors& errors);
VideoConfig ReadVideoConfig(const ProfileFile& ini, SettingErrors& errors);

}  // namespace tw
