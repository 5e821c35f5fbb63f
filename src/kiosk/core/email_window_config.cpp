#include "kiosk/core/email_window_config.h"

namespace tw {
namespace {

EmailButtonLook ReadLook(const ProfileFile& ini, SettingErrors& errors, const std::string& name,
                         const std::string& sound, const std::string& caption) {
  EmailButtonLook look;
  look.caption = ini.ReadString("TEXT", name, caption);
  look.glyph_count = errors.Integer(ini, "GLYPHNUM", name, 2);
  look.sound = errors.Integer(ini, "SOUNDS", sound + "Source", 0);
  look.wav = ini.ReadString("SOUNDS", sound + "Wav", "");
  look.glyph = ini.ReadString("GLYPH", name, "");
  return look;
}

}  // namespace

EmailWindowConfig ReadEmailWindowConfig(const ProfileFile& ini, const ProfileFile& language, SettingErrors& errors) {
  EmailWindowConfig c;
  for (std::size_t page = 0; page < c.backgrounds.size(); ++page) {
    c.backgrounds[page] = ini.ReadString("GRAPHICS", "Email" + std::to_string(page + 1), "");
  }
  c.get = ReadLook(ini, errors, "Get", "Get", "Get Mail");
  c.new_message = ReadLook(ini, errors, "New", "New", "New");
  c.cancel = ReadLook(ini, errors, "Cancel", "Cancel", "Cancel");
  c.reply = ReadLook(ini, errors, "Reply", "Reply", "Reply");
  c.del = ReadLook(ini, errors, "Delete", "Del", "Delete");
  c.send = ReadLook(ini, errors, "Send", "Send", "Send");
  c.help_account = ini.ReadString("EMAIL", "EmailText1", "");
  c.help_reading = ini.ReadString("EMAIL", "EmailText2", "");
  c.show_keyboard = ini.ReadBool("EMAIL", "ShowKeyboard", true);
  c.hide_keyboard = ini.ReadBool("EMAIL", "HideKeyboard", true);
  c.default_server = ini.ReadString("EMAIL", "DefaultServer", "");
  c.server_read_only = ini.ReadBool("EMAIL", "ServerReadOnly", false);
  c.mailto_read_only = ini.ReadBool("EMAIL", "MailtoReadOnly", false);
  c.error_strings = ReadErrorStrings(language);
  c.list_changed = ReadListChangedMessage(language);
  return c;
}

}  // namespace tw
