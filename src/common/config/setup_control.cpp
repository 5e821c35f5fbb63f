#include "common/config/setup_control.h"

#include <cstddef>

namespace tw {
namespace {

using G = SetupGroup;

// "&" shows as itself in a group's caption (the window doubles it for the label).
constexpr std::array kGroups = std::to_array<SetupGroupInfo>({
    {G::kDefaultKeyboard, kPreferencesPage, "Default Keyboard"},
    {G::kBrowserInformation, kPreferencesPage, "Browser Information"},
    {G::kOptions, kPreferencesPage, "Options"},
    {G::kNewBrowserWindows, kPreferencesPage, "New Browser Windows Handling"},
    {G::kScreenMode, kPreferencesPage, "Screen Mode"},
    {G::kScrollButtonMode, kPreferencesPage, "Scroll Button Mode"},
    {G::kProtocolsToBlock, kPreferencesPage, "Protocols to Block"},
    {G::kProtocolsToAllow, kPreferencesPage, "Protocols to Allow"},
    {G::kFoldersToAllow, kPreferencesPage, "Folders to Allow"},
    {G::kDialogsToProcess, kPreferencesPage, "Dialogs To Process"},
    {G::kWhatToLog, kLogFilePage, "What do you want to log?"},
    {G::kLogFileActivity, kLogFilePage, "Log file activity"},
    {G::kLogMail, kLogFilePage, "E-Mail Configuration"},
    {G::kLogRecipients, kLogFilePage, "Log File Recipients"},
    {G::kToolBar, kButtonsPage, "Tool Bar"},
    {G::kStandardButtons, kButtonsPage, "Standard Buttons"},
    {G::kKeyboardButtons, kButtonsPage, "Keyboard Show/Hide Standard Buttons"},
    {G::kDirectionButtons, kButtonsPage, "Direction Buttons"},
    {G::kCustomButtons, kButtonsPage, "Custom Buttons"},
    {G::kTimes, kAttractPage, "Times"},
    {G::kVideo, kAttractPage, "AVI Video"},
    {G::kCarousel, kAttractPage, "Carousel"},
    {G::kCarouselOptions, kAttractPage, "Carousel Options"},
    {G::kBannerGraphics, kBannersPage, "Banner Graphics"},
    {G::kLogoSettings, kBannersPage, "Logo Settings"},
    {G::kButtonUrls, kBannersPage, "Button URLs"},
    {G::kUrlCommands, kCommandPage, "URL Commands"},
    {G::kProgramExecution, kCommandPage, "Dynamic Program Execution"},
    {G::kProgramFiles, kCommandPage, "Program Files"},
    {G::kCommandPassword, kCommandPage, "Command Password"},
    {G::kPasswordSequence, kSecurityPage, "Password Sequence"},
    {G::kRightMouseButton, kSecurityPage, "Blocking Right Mouse Button"},
    {G::kMessages, kSecurityPage, "End User Messaging"},
    {G::kKeySounds, kKeyboardPage, "Key Sounds"},
    {G::kClock, kBusyBarPage, "Clock"},
    {G::kBusyBar, kBusyBarPage, "Busy Bar"},
    {G::kEmailTextFiles, kEmailPage, "Text Files"},
    {G::kEmailKeyboard, kEmailPage, "Keyboard Behaviour"},
    {G::kMailServer, kEmailPage, "Mail Server"},
    {G::kEmailButtons, kEmailPage, "Buttons"},
    {G::kSplashScreen, kGraphicsPage, "Splash Screen"},
    {G::kMainFrame, kGraphicsPage, "Main Tarnwick Frame"},
    {G::kEmailBackground, kGraphicsPage, "Email Background"},
    {G::kErrorDialog, kGraphicsPage, "Error Dialog"},
    {G::kConfigurationNotes, kNotesPage, "Configuration Notes"},
});

// Each group at the place its enum value gives, and pages in order.
constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < kGroups.size(); ++i) {
    if (static_cast<std::size_t>(kGroups[i].group) != i) return false;
    if (i > 0 && kGroups[i].page < kGroups[i - 1].page) return false;
  }
  return kGroups.back().group == G::kConfigurationNotes;
}
static_assert(InEnumOrder(), "kGroups must list every SetupGroup, in enum order");

}  // namespace

std::span<const SetupGroupInfo> SetupGroups() { return kGroups; }

const SetupGroupInfo& GetSetupGroup(SetupGroup group) { return kGroups.at(static_cast<std::size_t>(group)); }

}  // namespace tw
