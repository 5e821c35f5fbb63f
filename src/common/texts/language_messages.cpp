#include "common/texts/language_messages.h"

#include "common/config/profile_file.h"
#include "common/texts/button_names.h"

namespace tw {
namespace {

std::string ReadKiosk(const ProfileFile& file, std::size_t index) {
  const LanguageMessage& message = kLanguageMessages[index];
  return file.ReadString(kMessagesSection, message.key, message.default_text);
}

}  // namespace

NewBrowserMessages ReadNewBrowserMessages(const ProfileFile& file) {
  return {ReadKiosk(file, 0), ReadKiosk(file, 1), ReadKiosk(file, 2)};
}

std::array<std::string, kErrorStringCount> ReadErrorStrings(const ProfileFile& file) {
  std::array<std::string, kErrorStringCount> texts;
  for (std::size_t n = 0; n < kErrorStringCount; ++n) texts[n] = ReadKiosk(file, kFirstErrorString + n);
  return texts;
}

std::string ReadPrintFailedMessage(const ProfileFile& file) { return ReadKiosk(file, kPrintFailedMessage); }

std::string ReadListChangedMessage(const ProfileFile& file) { return ReadKiosk(file, kListChangedMessage); }

std::string ReadIdleWarningMessage(const ProfileFile& file) { return ReadKiosk(file, kIdleWarningMessage); }

std::span<const LanguageMessage> SetupMessageList() {
  // The button names' texts live as long as the program: the list holds views of them.
  static const std::vector<ButtonName> names = AllButtonNames();
  static const std::vector<std::string> entries = [] {
    std::vector<std::string> e;
    for (const ButtonName& name : names) e.push_back("Button name - " + name.english);
    return e;
  }();
  static const std::vector<LanguageMessage> list = [] {
    std::vector<LanguageMessage> l(kLanguageMessages.begin(), kLanguageMessages.end());
    for (std::size_t i = 0; i < names.size(); ++i) l.push_back({names[i].key, names[i].english, entries[i]});
    return l;
  }();
  return list;
}

SetupMessages DefaultSetupMessages() {
  SetupMessages messages;
  for (const LanguageMessage& message : SetupMessageList()) messages.emplace_back(message.default_text);
  return messages;
}

SetupMessages ReadSetupMessages(const ProfileFile& file) {
  SetupMessages messages;
  for (const LanguageMessage& message : SetupMessageList()) {
    messages.push_back(file.ReadString(kMessagesSection, message.key, message.default_text));
  }
  return messages;
}

void WriteSetupMessages(ProfileFile& file, const SetupMessages& messages) {
  const std::span<const LanguageMessage> list = SetupMessageList();
  for (std::size_t i = 0; i < list.size() && i < messages.size(); ++i) {
    file.WriteString(kMessagesSection, list[i].key, messages[i]);
  }
}

}  // namespace tw
