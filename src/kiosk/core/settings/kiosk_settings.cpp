#include "kiosk/core/settings/kiosk_settings.h"

#include "common/config/config_reader.h"
#include "common/texts/button_names.h"
#include "common/keyboard/keyboard_key.h"

namespace tw {

ErrorDialogConfig ReadErrorDialogConfig(const ProfileFile& ini, SettingErrors& errors) {
  const ConfigReader read(ini, errors);
  ErrorDialogConfig c;
  c.background = read.String("GRAPHICS", "Error");
  c.ok_caption = read.String("TEXT", "OK");
  c.cancel_caption = read.String("TEXT", "Cancel");
  c.ok_glyph_count = read.Integer("GLYPHNUM", "OK");
  c.cancel_glyph_count = read.Integer("GLYPHNUM", "Cancel");
  c.ok_sound = read.Integer("SOUNDS", "OKSource");
  c.ok_wav = read.String("SOUNDS", "OKWav");
  c.cancel_sound = read.Integer("SOUNDS", "CancelSource");
  c.cancel_wav = read.String("SOUNDS", "CancelWav");
  c.ok_glyph = read.String("GLYPH", "OK");
  c.cancel_glyph = read.String("GLYPH", "Cancel");
  return c;
}

VideoConfig ReadVideoConfig(const ProfileFile& ini, SettingErrors& errors) {
  const ConfigReader read(ini, errors);
  VideoConfig c;
  c.file_name = read.String("ATTRACT", "VideoFileName");
  c.width = read.Integer("ATTRACT", "VideoWidth");
  c.height = read.Integer("ATTRACT", "VideoHeight");
  return c;
}

LoadedKioskSettings LoadKioskSettings(const ProfileFile& ini, const ProfileFile& language) {
  LoadedKioskSettings loaded;
  KioskSettings& s = loaded.settings;
  SettingErrors& errors = loaded.errors;
  KioskConfigResult kiosk = ReadKioskConfig(ini);
  s.kiosk = std::move(kiosk.config);
  errors.Append(kiosk.errors);
  s.splash = ConfigReader(ini, errors).String("PREFERENCES", "Splash");
  ReadBannerBarConfig(ini, s.banner, errors);
  s.toolbar = ReadToolbarConfig(ini, errors);
  // The language file's keys, in the keyboard's creation order; a bad value keeps the
  // built-in key.
  s.language.keyboard = BuiltInKeyboard();
  errors.Append(ReadKeyboardEntries(language, s.language.keyboard, VisibleField::kExactlyOne).errors);
  ReadLeftPanelConfig(ini, s.left, errors);
  ReadRightPanelConfig(ini, s.right, errors);
  for (const ToolbarButtonInfo& info : ToolbarButtons()) {
    s.toolbar.buttons[static_cast<std::size_t>(info.id)].spoken_name =
        ReadButtonName(language, ToolbarButtonName(info));
  }
  for (std::size_t i = 0; i < s.right.arrows.size(); ++i) {
    s.right.arrows[i].spoken_name = ReadButtonName(language, ScrollArrowName(i));
  }
  for (std::size_t i = 0; i < s.right.custom.size(); ++i) {
    s.right.custom[i].spoken_name = ReadButtonName(language, SidePageButtonName(i));
  }
  s.language.new_browser = ReadNewBrowserMessages(language);
  s.language.print_failed = ReadPrintFailedMessage(language);
  s.language.idle_warning = ReadIdleWarningMessage(language);
  s.error_dialog = ReadErrorDialogConfig(ini, errors);
  s.video = ReadVideoConfig(ini, errors);
  s.email = ReadEmailWindowConfig(ini, language, errors);
  return loaded;
}

}  // namespace tw
