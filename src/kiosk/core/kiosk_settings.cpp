#include "kiosk/core/kiosk_settings.h"

#include "common/keyboard_key.h"

namespace tw {

ErrorDialogConfig ReadErrorDialogConfig(const ProfileFile& ini, SettingErrors& errors) {
  ErrorDialogConfig c;
  c.background = ini.ReadString("GRAPHICS", "Error", "");
  c.ok_caption = ini.ReadString("TEXT", "OK", "OK");
  c.cancel_caption = ini.ReadString("TEXT", "Cancel", "Cancel");
  c.ok_glyph_count = errors.Integer(ini, "GLYPHNUM", "OK", 2);
  c.cancel_glyph_count = errors.Integer(ini, "GLYPHNUM", "Cancel", 2);
  c.ok_sound = errors.Integer(ini, "SOUNDS", "OKSource", 0);
  c.ok_wav = ini.ReadString("SOUNDS", "OKWav", "");
  c.cancel_sound = errors.Integer(ini, "SOUNDS", "CancelSource", 0);
  c.cancel_wav = ini.ReadString("SOUNDS", "CancelWav", "");
  c.ok_glyph = ini.ReadString("GLYPH", "OK", "");
  c.cancel_glyph = ini.ReadString("GLYPH", "Cancel", "");
  return c;
}

VideoConfig ReadVideoConfig(const ProfileFile& ini, SettingErrors& errors) {
  VideoConfig c;
  c.file_name = ini.ReadString("ATTRACT", "VideoFileName", "xxx");
  c.width = errors.Integer(ini, "ATTRACT", "VideoWidth", 800);
  c.height = errors.Integer(ini, "ATTRACT", "VideoHeight", 600);
  return c;
}

LoadedKioskSettings LoadKioskSettings(const ProfileFile& ini, const ProfileFile& language) {
  LoadedKioskSettings loaded;
  KioskSettings& s = loaded.settings;
  SettingErrors& errors = loaded.errors;
  KioskConfigResult kiosk = ReadKioskConfig(ini);
  s.kiosk = std::move(kiosk.config);
  errors.Append(kiosk.errors);
  s.splash = ini.ReadString("PREFERENCES", "Splash", "");
  ReadBannerBarConfig(ini, s.banner, errors);
  s.toolbar = ReadToolbarConfig(ini, errors);
  // The language file's keys, in the keyboard's creation order; a bad value keeps the
  // built-in key.
  s.language.keyboard = BuiltInKeyboard();
  errors.Append(ReadKeyboardEntries(language, s.language.keyboard, VisibleField::kExactlyOne).errors);
  ReadLeftPanelConfig(ini, s.left, errors);
  ReadRightPanelConfig(ini, s.right, errors);
  s.language.new_browser = ReadNewBrowserMessages(language);
  s.language.print_failed = ReadPrintFailedMessage(language);
  s.error_dialog = ReadErrorDialogConfig(ini, errors);
  s.video = ReadVideoConfig(ini, errors);
  s.email = ReadEmailWindowConfig(ini, language, errors);
  return loaded;
}

}  // namespace tw
