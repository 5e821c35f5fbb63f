#include "kiosk/email/rules/email_window_config.h"

#include "common/config/config_reader.h"

namespace tw {
namespace {

EmailButtonLook ReadLook(const ConfigReader& read, const std::string& name, const std::string& sound) {
  EmailButtonLook look;
  look.caption = read.String("TEXT", name);
  look.glyph_count = read.Integer("GLYPHNUM", name);
  look.sound = read.Integer("SOUNDS", sound + "Source");
  look.wav = read.String("SOUNDS", sound + "Wav");
  look.glyph = read.String("GLYPH", name);
  return look;
}

}  // namespace

EmailWindowConfig ReadEmailWindowConfig(const ProfileFile& ini, const ProfileFile& language, SettingErrors& errors) {
  const ConfigReader read(ini, errors);
  EmailWindowConfig c;
  for (std::size_t page = 0; page < c.backgrounds.size(); ++page) {
    c.backgrounds[page] = read.String("GRAPHICS", "Email" + std::to_string(page + 1));
  }
  c.get = ReadLook(read, "Get", "Get");
  c.new_message = ReadLook(read, "New", "New");
  c.cancel = ReadLook(read, "Cancel", "Cancel");
  c.reply = ReadLook(read, "Reply", "Reply");
  c.del = ReadLook(read, "Delete", "Del");
  c.send = ReadLook(read, "Send", "Send");
  c.help_account = read.String("EMAIL", "EmailText1");
  c.help_reading = read.String("EMAIL", "EmailText2");
  c.show_keyboard = read.Bool("EMAIL", "ShowKeyboard");
  c.hide_keyboard = read.Bool("EMAIL", "HideKeyboard");
  c.default_server = read.String("EMAIL", "DefaultServer");
  c.server_read_only = read.Bool("EMAIL", "ServerReadOnly");
  c.mailto_read_only = read.Bool("EMAIL", "MailtoReadOnly");
  c.error_strings = ReadErrorStrings(language);
  c.list_changed = ReadListChangedMessage(language);
  return c;
}

}  // namespace tw
