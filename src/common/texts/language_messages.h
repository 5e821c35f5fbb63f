// Section MESSAGES of a language file: the texts shown to visitors by the new-window
// dialog, the e-mail window and the kiosk's error dialog. A message the file lacks is the
// English text, in the kiosk and in the Setup Manager alike.
#pragma once

#include <array>
#include <span>
#include <vector>
#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

class ProfileFile;

inline constexpr std::string_view kMessagesSection = "MESSAGES";

struct LanguageMessage {
  std::string_view key;
  std::string_view default_text;  // what the kiosk shows and the Setup Manager offers when absent
  std::string_view setup_entry;   // the Setup Manager's name for it
};

// Every MESSAGES key, in the order of the Setup Manager's message list.
inline constexpr std::array<LanguageMessage, 14> kLanguageMessages = {{
    {"NewBrowserTitle", "New Browser Window Detected!", "New Browser Window Detected - Title"},
    {"NewBrowserTransfer", "Transfer Control", "New Browser Window Detected - Transfer"},
    {"NewBrowserRemove", "Remove New Window", "New Browser Window Detected - Remove"},
    {"ErrorString0", "Server incorrect", "Server incorrect"},
    {"ErrorString1", "User Name incorrect", "User Name incorrect"},
    {"ErrorString2", "Password incorrect", "Password incorrect"},
    {"ErrorString3", "From required", "From required"},
    {"ErrorString4", "To required", "To required"},
    {"ErrorString5", "Bad address syntax", "Bad address syntax"},
    {"ErrorString6", "Delete Email", "Delete Email"},
    // What a cancelled mail transfer or a declined Delete says: never a placeholder.
    {"ErrorString7", "Cancelled", "Cancelled"},
    {"PrintFailed", "The page could not be printed. Please ask a member of staff for help.", "Print failed"},
    {"ListChanged", "The list of messages has changed; it has been fetched again.", "Message list changed"},
    {"IdleWarning", "Are you still there? Touch the screen to continue", "Idle warning"},
}};

inline constexpr std::size_t kErrorStringCount = 8;
inline constexpr std::size_t kFirstErrorString = 3;  // index of ErrorString0 in kLanguageMessages
inline constexpr std::size_t kPrintFailedMessage = 11;
inline constexpr std::size_t kListChangedMessage = 12;
inline constexpr std::size_t kIdleWarningMessage = 13;

// Kiosk side.
struct NewBrowserMessages {
  std::string title;
  std::string transfer;
  std::string remove;

  bool operator==(const NewBrowserMessages&) const = default;
};
NewBrowserMessages ReadNewBrowserMessages(const ProfileFile& file);
// ErrorString0 .. ErrorString7, each defaulting to its English text.
std::array<std::string, kErrorStringCount> ReadErrorStrings(const ProfileFile& file);
// What the visitor is told when a print fails.
std::string ReadPrintFailedMessage(const ProfileFile& file);
// What the e-mail window says when the mailbox changed under the visitor's list.
std::string ReadListChangedMessage(const ProfileFile& file);
// What the visitor is asked before the idle return ends the session.
std::string ReadIdleWarningMessage(const ProfileFile& file);

// Setup Manager side: every MESSAGES key it edits, in its list's order: the messages
// above, then what a screen reader says for each button that shows only its picture
// (button_names.h).
std::span<const LanguageMessage> SetupMessageList();
using SetupMessages = std::vector<std::string>;  // one per SetupMessageList() entry
SetupMessages DefaultSetupMessages();
SetupMessages ReadSetupMessages(const ProfileFile& file);
// Writes every message; throws ProfileWriteError.
void WriteSetupMessages(ProfileFile& file, const SetupMessages& messages);

}  // namespace tw
