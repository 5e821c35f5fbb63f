// How the Setup Manager shows a key of Tarnwick.ini: the page and group its field stands
// in, its caption and its control. The key table (config_keys.cpp) gives each key the
// control it has, so that a key and its field are one row.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tw {

// The Setup Manager's pages, in tab order.
inline constexpr int kPreferencesPage = 0;
inline constexpr int kLogFilePage = 1;
inline constexpr int kButtonsPage = 2;
inline constexpr int kAttractPage = 3;
inline constexpr int kBannersPage = 4;
inline constexpr int kCommandPage = 5;
inline constexpr int kSecurityPage = 6;
inline constexpr int kKeyboardPage = 7;
inline constexpr int kBusyBarPage = 8;
inline constexpr int kEmailPage = 9;
inline constexpr int kGraphicsPage = 10;
inline constexpr int kNotesPage = 11;

// The groups of the pages, page by page in the order shown (SetupGroups gives each its
// page and caption).
enum class SetupGroup {
  // Preferences
  kDefaultKeyboard,
  kBrowserInformation,
  kOptions,
  kNewBrowserWindows,
  kScreenMode,
  kScrollButtonMode,
  kProtocolsToBlock,
  kProtocolsToAllow,
  kFoldersToAllow,
  kDialogsToProcess,
  // Log File
  kWhatToLog,
  kLogFileActivity,
  kLogMail,
  kLogRecipients,
  // Buttons
  kToolBar,
  kStandardButtons,
  kKeyboardButtons,
  kDirectionButtons,
  kCustomButtons,
  // Attract
  kTimes,
  kVideo,
  kCarousel,
  kCarouselOptions,
  // Banners & URLs
  kBannerGraphics,
  kLogoSettings,
  kButtonUrls,
  // Command
  kUrlCommands,
  kProgramExecution,
  kProgramFiles,
  kCommandPassword,
  // Security & Messages
  kPasswordSequence,
  kRightMouseButton,
  kMessages,
  // Keyboard
  kKeySounds,
  // Busy Bar & Clock
  kClock,
  kBusyBar,
  // Email
  kEmailTextFiles,
  kEmailKeyboard,
  kMailServer,
  kEmailButtons,
  // Graphics
  kSplashScreen,
  kMainFrame,
  kEmailBackground,
  kErrorDialog,
  // Notes
  kConfigurationNotes,
};

struct SetupGroupInfo {
  SetupGroup group;
  int page;
  std::string_view caption;
};

// Every group, in the order of the enum.
std::span<const SetupGroupInfo> SetupGroups();
const SetupGroupInfo& GetSetupGroup(SetupGroup group);

enum class FieldControl {
  kCheck,  // "1"/"0"
  kText,
  kNumber,    // whole number in [minimum, maximum], stepping by step
  kChoice,    // one of `choices`; two choices show as a radio pair
  kFile,      // a path, with a picker
  kLocalUrl,  // a URL, with a local-page picker
  kColour,    // "$00BBGGRR", with a colour picker
  kList,      // a list of the key table, edited by the list editor
  kNotes,     // a list shown as lines of text
  kPassword,  // the exit password: one object per letter
  kMessage,   // a visitor message of TWLang.ini (`message` is its index)
  kCommand,   // a custom button's command number; choosing one writes the button's address
};

enum class Picker {
  kNone,
  kBrowserProgram,
  kProgram,
  kVideo,
  kBannerGraphic,
  kBitmap,
  kSound,
  kEmailText,
  kLocalPage,
  kCertificates
};

struct FieldChoice {
  std::string_view value;
  std::string_view caption;
};

// A sound source (ConfigKind::kSoundSource), as the key sounds and every button offer it.
inline constexpr std::array kSoundSourceChoices = std::to_array<FieldChoice>({
    {"0", "NONE"},
    {"1", "Machine"},
    {"2", "Asterisk"},
    {"3", "Exclamation"},
    {"4", "Critical"},
    {"5", "Question"},
    {"6", "Default"},
    {"7", "Custom"},
});

// A key's field. A key without a group has no field of its own: the Setup Manager builds
// it (a button's keys) or does not show it.
struct SetupControl {
  std::optional<SetupGroup> group;
  std::string_view caption;
  FieldControl control = FieldControl::kText;
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t step = 1;
  std::span<const FieldChoice> choices = {};
  Picker picker = Picker::kNone;
  // Fields stand in their group in table order. Where the page shows them otherwise, those
  // with a place (1, 2, ...) come first, in order of place.
  int place = 0;

  constexpr SetupControl Place(int n) const {
    SetupControl placed = *this;
    placed.place = n;
    return placed;
  }
};

}  // namespace tw
