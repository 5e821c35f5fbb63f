#include "common/texts/language_messages.h"

#include "common/config/profile_file.h"

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

SetupMessages DefaultSetupMessages() {
  SetupMessages messages;
  for (std::size_t i = 0; i < kSetupMessageCount; ++i) messages[i] = kLanguageMessages[i].default_text;
  return messages;
}

SetupMessages ReadSetupMessages(const ProfileFile& file) {
  SetupMessages messages;
  for (std::size_t i = 0; i < kSetupMessageCount; ++i) {
    const LanguageMessage& message = kLanguageMessages[i];
    messages[i] = file.ReadString(kMessagesSection, message.key, message.default_text);
  }
  return messages;
}

void WriteSetupMessages(ProfileFile& file, const SetupMessages& messages) {
  for (std::size_t i = 0; i < kSetupMessageCount; ++i) {
    file.WriteString(kMessagesSection, kLanguageMessages[i].key, messages[i]);
  }
}

}  // namespace tw
