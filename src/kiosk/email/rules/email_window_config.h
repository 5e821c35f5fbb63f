// The visitors' e-mail window's settings: its pictures, button captions, glyphs and
// sounds, its help texts, the keyboard and server rules, and the error texts of the
// language file.
#pragma once

#include <array>
#include <string>

#include "common/texts/language_messages.h"
#include "common/config/profile_file.h"
#include "common/config/setting_errors.h"

namespace tw {

// One of the window's buttons as the operator dresses it.
struct EmailButtonLook {
  std::string caption;
  int glyph_count = 2;  // GLYPHNUM/<name>
  std::string glyph;    // GLYPH/<name>, used when the file exists
  int sound = 0;        // SOUNDS/<sound>Source
  std::string wav;      // SOUNDS/<sound>Wav

  bool operator==(const EmailButtonLook&) const = default;
};

struct EmailWindowConfig {
  std::array<std::string, 3> backgrounds;  // GRAPHICS/Email1..3, one per page
  EmailButtonLook get, new_message, cancel, reply, del, send;
  std::string help_account;       // EMAIL/EmailText1, shown on the server page
  std::string help_reading;       // EMAIL/EmailText2, shown on the list page
  bool show_keyboard = true;      // EMAIL/ShowKeyboard: raise the keyboard on opening
  bool hide_keyboard = true;      // EMAIL/HideKeyboard: lower it on hiding
  std::string default_server;     // EMAIL/DefaultServer
  bool server_read_only = false;  // EMAIL/ServerReadOnly
  bool mailto_read_only = false;  // EMAIL/MailtoReadOnly
  // TWLang.ini MESSAGES/ErrorString0..7: host not found, user refused, password refused,
  // sender missing, recipient missing, bad address, delete question, cancelled.
  std::array<std::string, kErrorStringCount> error_strings;
  std::string list_changed;  // MESSAGES/ListChanged: the mailbox changed under the visitor's list

  bool operator==(const EmailWindowConfig&) const = default;
};

EmailWindowConfig ReadEmailWindowConfig(const ProfileFile& ini, const ProfileFile& language, SettingErrors& errors);

}  // namespace tw
