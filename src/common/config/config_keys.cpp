#include "common/config/config_keys.h"

#include <array>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>

#include "common/config/browser_engines.h"
#include "common/config/toolbar_buttons.h"

namespace tw {
namespace {

using enum ConfigKind;
using enum KioskRead;
using G = SetupGroup;

// The Setup Manager's fields of the keys below (see setup_control.h).
constexpr SetupControl Check(G group, std::string_view caption) { return {group, caption, FieldControl::kCheck}; }
constexpr SetupControl Text(G group, std::string_view caption) { return {group, caption, FieldControl::kText}; }
constexpr SetupControl Number(G group, std::string_view caption, std::int32_t minimum, std::int32_t maximum,
                              std::int32_t step) {
  return {group, caption, FieldControl::kNumber, minimum, maximum, step};
}
constexpr SetupControl Choice(G group, std::string_view caption, std::span<const FieldChoice> choices) {
  return {group, caption, FieldControl::kChoice, 0, 0, 1, choices};
}
constexpr SetupControl File(G group, std::string_view caption, Picker picker) {
  return {group, caption, FieldControl::kFile, 0, 0, 1, {}, picker};
}
constexpr SetupControl Url(G group, std::string_view caption) {
  return {group, caption, FieldControl::kLocalUrl, 0, 0, 1, {}, Picker::kLocalPage};
}
constexpr SetupControl Colour(G group, std::string_view caption) { return {group, caption, FieldControl::kColour}; }
constexpr SetupControl PasswordObjects(G group, std::string_view caption) {
  return {group, caption, FieldControl::kPassword};
}

constexpr std::array kKeyboardChoice = std::to_array<FieldChoice>({{"0", "full QWERTY"}, {"1", "limited ABCDEF"}});
#define TW_BROWSER_ENGINE_CHOICE(number, caption, entry) {#number, caption},
constexpr std::array kBrowserChoice = std::to_array<FieldChoice>({TW_BROWSER_ENGINES(TW_BROWSER_ENGINE_CHOICE)});
#undef TW_BROWSER_ENGINE_CHOICE
constexpr std::array kNewBrowserChoice =
    std::to_array<FieldChoice>({{"1", "Always Transfer"}, {"2", "Always Close"}, {"3", "Ask User"}});
constexpr std::array kScreenModeChoice = std::to_array<FieldChoice>({
    {"A", "Automatic"},
    {"0", "Set to 640 x 480"},
    {"1", "Set to 800 x 600"},
    {"2", "Set to 1024 x 768"},
    {"3", "Set to 1152 x 864"},
    {"4", "Set to 1280 x 1024"},
    {"5", "Set to 1600 x 1200"},
});
constexpr std::array kScrollChoice =
    std::to_array<FieldChoice>({{"1", "Hold to Scroll"}, {"0", "Scroll half page every press"}});
constexpr std::array kEnabledChoice = std::to_array<FieldChoice>({{"1", "Enabled"}, {"0", "Disabled"}});
constexpr std::array kPasswordOnChoice =
    std::to_array<FieldChoice>({{"1", "Password Sequence is Enabled"}, {"0", "Password Sequence is Disabled"}});
constexpr std::array kRightButtonChoice =
    std::to_array<FieldChoice>({{"1", "Blocked"}, {"0", "Not Blocked - Pop up menu will display"}});
constexpr std::array kMailSecurityChoice = std::to_array<FieldChoice>(
    {{"", "STARTTLS when the server offers it"}, {"starttls", "STARTTLS"}, {"tls", "TLS"}, {"none", "None"}});
constexpr std::array kShapeChoice = std::to_array<FieldChoice>({{"0", "Circular"}, {"1", "Square"}});
constexpr std::array kButtonCountChoice = std::to_array<FieldChoice>({{"5", "5"}, {"6", "6"}, {"7", "7"}, {"8", "8"}});

// The keys of named sections, less those that every tool-bar button brings (below).
// A row: section, name, kind, Setup Manager default, kiosk default, what the kiosk does
// with it, whether a save writes it, and its field in the Setup Manager.
constexpr std::array kFixedKeys = std::to_array<ConfigKey>({
    // [PREFERENCES]
    {"PREFERENCES", "DefaultKeyboard", kBoolean, "1", "0", kWithDefault, true,
     Choice(G::kDefaultKeyboard, "Keyboard shown first", kKeyboardChoice)},
    {"PREFERENCES", "NewBrowser", kInteger, "3", "3", kWithDefault, true,
     Choice(G::kNewBrowserWindows, "New windows", kNewBrowserChoice)},
    {"PREFERENCES", "ScreenMode", kString, "A", "A", kWithDefault, true,
     Choice(G::kScreenMode, "Screen mode", kScreenModeChoice)},
    {"PREFERENCES", "ShowBusyBar", kBoolean, "1", "1", kWithDefault, true, Check(G::kBusyBar, "Show The Busy Bar")},
    {"PREFERENCES", "CancelSecurity", kBoolean, "1", "1", kWithDefault, true,
     Check(G::kOptions, "Cancel Security Violations")},
    {"PREFERENCES", "ScrollOn", kBoolean, "1", "1", kWithDefault, true,
     Choice(G::kScrollButtonMode, "Scroll buttons", kScrollChoice)},
    {"PREFERENCES", "SaveLog", kBoolean, "1", "0", kWithDefault, true, Check(G::kLogFileActivity, "Save Log File")},
    {"PREFERENCES", "EmailLog", kBoolean, "1", "0", kWithDefault, true, Check(G::kLogFileActivity, "E-mail Log File")},
    {"PREFERENCES", "EmailFeedback", kBoolean, "1", "0", kWithDefault, true,
     Check(G::kLogFileActivity, "Email Feedback")},
    {"PREFERENCES", "LogHour", kInteger, "", "0", kWithDefault, true, Number(G::kLogFileActivity, "Hour", 0, 23, 1)},
    {"PREFERENCES", "LogMinute", kInteger, "", "0", kWithDefault, true,
     Number(G::kLogFileActivity, "Minute", 0, 59, 5)},
    {"PREFERENCES", "LogURLs", kBoolean, "1", "1", kWithDefault, true, Check(G::kWhatToLog, "User Actions")},
    {"PREFERENCES", "LogTimeURLs", kBoolean, "1", "1", kWithDefault, true, Check(G::kWhatToLog, "Timed Actions")},
    {"PREFERENCES", "LogCarouselURLs", kBoolean, "1", "1", kWithDefault, true,
     Check(G::kWhatToLog, "Carousel Actions")},
    {"PREFERENCES", "LogVideoStart", kBoolean, "1", "1", kWithDefault, true, Check(G::kWhatToLog, "Video Actions")},
    {"PREFERENCES", "LogLoadedURLs", kBoolean, "1", "1", kWithDefault, true,
     Check(G::kWhatToLog, "Browser Loaded Pages")},
    {"PREFERENCES", "LogProtocol", kBoolean, "1", "1", kWithDefault, true, Check(G::kWhatToLog, "Blocked Protocols")},
    // The log's lines also in the system journal; added by hand to turn it off.
    {"PREFERENCES", "LogToJournal", kBoolean, "1", "1", kWithDefault, false,
     Check(G::kLogFileActivity, "Also to the system journal")},
    {"PREFERENCES", "EmailFromAddress", kString, "", "", kWithDefault, true, Text(G::kLogMail, "From Address")},
    {"PREFERENCES", "EmailFromName", kString, "", "", kWithDefault, true, Text(G::kLogMail, "From Name")},
    {"PREFERENCES", "EmailServer", kString, "", "", kWithDefault, true, Text(G::kLogMail, "Server")},
    // How the log mail reaches its server; added by hand. Security: none, starttls or tls;
    // empty or absent means STARTTLS when the server offers it.
    {"PREFERENCES", "EmailSecurity", kString, "", "", kWithDefault, false,
     Choice(G::kLogMail, "Security", kMailSecurityChoice)},
    {"PREFERENCES", "EmailUserName", kString, "", "", kWithDefault, false, Text(G::kLogMail, "User Name")},
    {"PREFERENCES", "EmailPassword", kString, "", "", kWithDefault, false, Text(G::kLogMail, "Password")},
    {"PREFERENCES", "EmailCAFile", kFile, "", "", kWithDefault, false,
     File(G::kLogMail, "CA certificates", Picker::kCertificates)},
    {"PREFERENCES", "EmailAllowPlainTextAuth", kBoolean, "0", "0", kWithDefault, false,
     Check(G::kLogMail, "Plain-text log-in allowed")},
    {"PREFERENCES", "CommandEnabled", kBoolean, "1", "1", kWithDefault, true,
     Choice(G::kUrlCommands, "URL commands", kEnabledChoice)},
    {"PREFERENCES", "ExecuteEnabled", kBoolean, "1", "1", kWithDefault, true,
     Choice(G::kProgramExecution, "Program execution", kEnabledChoice)},
    {"PREFERENCES", "CommandPassword", kString, "", "", kWithDefault, true, Text(G::kCommandPassword, "Password")},
    {"PREFERENCES", "PasswordOn", kBoolean, "1", "0", kWithDefault, true,
     Choice(G::kPasswordSequence, "Exit password", kPasswordOnChoice)},
    {"PREFERENCES", "Password", kString, "", "", kWithDefault, true, PasswordObjects(G::kPasswordSequence, "Object")},
    {"PREFERENCES", "BlockRightButton", kBoolean, "1", "1", kWithDefault, true,
     Choice(G::kRightMouseButton, "Right mouse button", kRightButtonChoice)},
    {"PREFERENCES", "ShowClock", kBoolean, "1", "1", kWithDefault, true, Check(G::kClock, "Show The Clock").Place(7)},
    {"PREFERENCES", "KeyBlock", kBoolean, "1", "1", kWithDefault, true, Check(G::kOptions, "Key Blocking")},
    {"PREFERENCES", "Splash", kFile, "", "", kWithDefault, true,
     File(G::kSplashScreen, "Splash Screen", Picker::kBitmap)},
    {"PREFERENCES", "HideTaskBar", kBoolean, "1", "0", kWithDefault, true, Check(G::kOptions, "Auto Hide OS Task Bar")},
    {"PREFERENCES", "FrameKey", kString, "F6", "F6", kWithDefault, true,
     Text(G::kOptions, "Key to the kiosk's buttons (empty: none)")},
    // Read by the kiosk only; an operator adds it by hand.
    {"PREFERENCES", "Debug", kBoolean, "", "0", kWithDefault, false},

    // [BUTTONS]
    {"BUTTONS", "ExitOn", kBoolean, "1", "1", kWithDefault, true,
     Check(G::kOptions, "Exit via keyboard button or clock").Place(1)},
    {"BUTTONS", "NumberOfButtons", kInteger, "6", "6", kWithDefault, true,
     Choice(G::kToolBar, "Number of Buttons", kButtonCountChoice)},
    {"BUTTONS", "ScrollOn", kBoolean, "1", "1", kWithDefault, true,
     Check(G::kDirectionButtons, "Activate Direction Keys")},
    {"BUTTONS", "Custom1URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom1Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom1Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand1", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom2URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom2Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom2Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand2", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom3URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom3Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom3Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand3", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom4URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom4Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom4Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand4", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom5URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom5Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom5Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand5", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom6URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom6Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom6Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand6", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom7URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom7Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom7Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand7", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom8URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom8Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom8Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand8", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom9URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom9Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom9Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand9", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom10URL", kUrl, "", "", kWithDefault, true},
    {"BUTTONS", "Custom10Text", kString, "", "", kWithDefault, true},
    {"BUTTONS", "Custom10Glyph", kFile, "", "", kWithDefault, true},
    {"BUTTONS", "TWCommand10", kInteger, "0", "", kNotRead, true},
    {"BUTTONS", "Custom1Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom2Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom3Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom4Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom5Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom6Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom7Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom8Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom9Number", kGlyphStates, "1", "1", kWithDefault, true},
    {"BUTTONS", "Custom10Number", kGlyphStates, "1", "1", kWithDefault, true},

    // [BROWSER]
    {"BROWSER", "Browser", kBoolean, "0", "0", kWithDefault, true,
     Choice(G::kBrowserInformation, "Browser", kBrowserChoice)},
    {"BROWSER", "FileName", kFile, "", "NoBrowserFile", kWithDefault, true,
     File(G::kBrowserInformation, "Browser program", Picker::kBrowserProgram)},
    {"BROWSER", "DDE", kString, "", "NoBrowserDDE", kWithDefault, true,
     Text(G::kBrowserInformation, "DDE Server (WARNING! - Do not change this value)")},

    // [TEXT]
    {"TEXT", "Show", kString, "", "Show", kWithDefault, true},
    {"TEXT", "Hide", kString, "", "Hide", kWithDefault, true},
    {"TEXT", "Up", kString, "", "Up", kWithDefault, true},
    {"TEXT", "Down", kString, "", "Down", kWithDefault, true},
    {"TEXT", "Left", kString, "", "Left", kWithDefault, true},
    {"TEXT", "Right", kString, "", "Right", kWithDefault, true},
    {"TEXT", "Get", kString, "Get", "Get Mail", kWithDefault, true},
    {"TEXT", "Send", kString, "Send", "Send", kWithDefault, true},
    {"TEXT", "Cancel", kString, "Cancel", "Cancel", kWithDefault, true},
    {"TEXT", "Ok", kString, "Ok", "OK", kWithDefault, true},
    {"TEXT", "New", kString, "New", "New", kWithDefault, true},
    {"TEXT", "Reply", kString, "Reply", "Reply", kWithDefault, true},
    {"TEXT", "Delete", kString, "Delete", "Delete", kWithDefault, true},

    // [GLYPH]
    {"GLYPH", "Show", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Hide", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Up", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Down", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Left", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Right", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Get", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Send", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Cancel", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Ok", kFile, "", "", kWithDefault, true},
    {"GLYPH", "New", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Reply", kFile, "", "", kWithDefault, true},
    {"GLYPH", "Delete", kFile, "", "", kWithDefault, true},

    // [URLS]
    {"URLS", "Logo", kUrl, "", "NoURLLogo", kWithDefault, true, Url(G::kLogoSettings, "URL")},
    {"URLS", "LogoFile", kFile, "", "", kWithDefault, true,
     File(G::kLogoSettings, "Graphic File", Picker::kBannerGraphic)},
    {"URLS", "Start", kUrl, "", "NoURLStart", kWithDefault, true, Url(G::kButtonUrls, "Start")},
    {"URLS", "Help", kUrl, "", "NoURLHelp", kWithDefault, true, Url(G::kButtonUrls, "Help")},

    // [ATTRACT]
    {"ATTRACT", "TimeStart", kInteger, "0", "0", kWithDefault, true,
     Number(G::kTimes, "Return to Start Page (sec.)", 0, 21600, 10)},
    {"ATTRACT", "TimeCarousel", kInteger, "0", "0", kWithDefault, true,
     Number(G::kTimes, "Start Carousel (sec.)", 0, 21600, 10)},
    {"ATTRACT", "TimeVideo", kInteger, "0", "0", kWithDefault, true,
     Number(G::kTimes, "Start attract Video (sec.)", 0, 21600, 10)},
    {"ATTRACT", "VideoFileName", kFile, "", "xxx", kWithDefault, true, File(G::kVideo, "File Name", Picker::kVideo)},
    {"ATTRACT", "VideoWidth", kInteger, "800", "800", kWithDefault, true,
     Number(G::kVideo, "Width (pixels)", 0, 21600, 10)},
    {"ATTRACT", "VideoHeight", kInteger, "600", "600", kWithDefault, true,
     Number(G::kVideo, "Height (pixels)", 0, 21600, 10)},
    {"ATTRACT", "GoToStart", kBoolean, "0", "1", kWithDefault, true,
     Check(G::kCarouselOptions, "Load Start page after Carousel")},
    {"ATTRACT", "IdleWarningSeconds", kInteger, "20", "20", kWithDefault, true,
     Number(G::kTimes, "Warn the visitor before (sec.)", 0, 600, 5)},

    // [KEYBOARD]
    {"KEYBOARD", "Associated", kFile, "", "", kNotRead, true},

    // [GLYPHNUM]
    {"GLYPHNUM", "Up", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Down", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Left", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Right", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Get", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Send", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Cancel", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Ok", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "New", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Reply", kGlyphStates, "2", "2", kWithDefault, true},
    {"GLYPHNUM", "Delete", kGlyphStates, "2", "2", kWithDefault, true},

    // [BUSYBAR]
    {"BUSYBAR", "TopColour", kColour, "$00FFFFFF", "$8000000D", kWithDefault, true,
     Colour(G::kBusyBar, "Top Colour").Place(1)},
    {"BUSYBAR", "BottomColour", kColour, "$00000000", "$8000000E", kWithDefault, true,
     Colour(G::kBusyBar, "Bottom Colour").Place(2)},
    {"BUSYBAR", "Graphic", kFile, "", "", kWithDefault, true,
     File(G::kBusyBar, "Graphic File", Picker::kBitmap).Place(3)},

    // [CLOCK]
    {"CLOCK", "BackColour", kColour, "$00FFFFFF", "$8000000F", kWithDefault, true,
     Colour(G::kClock, "Back Colour").Place(1)},
    {"CLOCK", "FaceColour", kColour, "$00FFFFFF", "$80000005", kWithDefault, true,
     Colour(G::kClock, "Face Colour").Place(2)},
    {"CLOCK", "OutlineColour", kColour, "$00FFFFFF", "$80000006", kWithDefault, true,
     Colour(G::kClock, "Outline Colour").Place(3)},
    {"CLOCK", "SecHandColour", kColour, "$00000000", "$80000006", kWithDefault, true,
     Colour(G::kClock, "Second Hand Colour").Place(4)},
    {"CLOCK", "TickColour", kColour, "$00000000", "$80000006", kWithDefault, true,
     Colour(G::kClock, "Tick Colour").Place(5)},
    {"CLOCK", "Shape", kInteger, "1", "0", kWithDefault, true, Choice(G::kClock, "Shape", kShapeChoice).Place(8)},
    {"CLOCK", "ShowSeconds", kBoolean, "1", "1", kWithDefault, true, Check(G::kClock, "Show Second Hand").Place(6)},

    // [SOUNDS]
    {"SOUNDS", "Keyboard", kSoundSource, "0", "0", kWithDefault, true,
     Choice(G::kKeySounds, "Source", kSoundSourceChoices)},
    {"SOUNDS", "KBCustomSound", kFile, "", "", kWithDefault, true, File(G::kKeySounds, "Custom Sound", Picker::kSound)},
    {"SOUNDS", "ApplyToManager", kBoolean, "1", "", kNotRead, true,
     Check(G::kKeySounds, "Apply sounds in Setup Manager also")},
    {"SOUNDS", "Custom1Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom1Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom2Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom2Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom3Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom3Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom4Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom4Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom5Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom5Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom6Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom6Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom7Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom7Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom8Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom8Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom9Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom9Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "Custom10Source", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "Custom10Wav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "UpSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "UpWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "DownSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "DownWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "LeftSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "LeftWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "RightSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "RightWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "GetSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "GetWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "NewSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "NewWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "CancelSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "OkSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "CancelWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "OkWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "SendSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "SendWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "ReplySource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "ReplyWav", kFile, "", "", kWithDefault, true},
    {"SOUNDS", "DelSource", kSoundSource, "0", "0", kWithDefault, true},
    {"SOUNDS", "DelWav", kFile, "", "", kWithDefault, true},

    // [EMAIL]
    {"EMAIL", "MailTo", kBoolean, "0", "0", kWithDefault, true,
     Check(G::kMailServer, "Mail To (Enable emailing via a web page)").Place(4)},
    {"EMAIL", "EmailText1", kFile, "", "", kWithDefault, true,
     File(G::kEmailTextFiles, "Email Account Help file", Picker::kEmailText)},
    {"EMAIL", "EmailText2", kFile, "", "", kWithDefault, true,
     File(G::kEmailTextFiles, "Reading Email Help File", Picker::kEmailText)},
    {"EMAIL", "ShowKeyboard", kBoolean, "1", "1", kWithDefault, true,
     Check(G::kEmailKeyboard, "Show when entering Email")},
    {"EMAIL", "HideKeyboard", kBoolean, "1", "1", kWithDefault, true,
     Check(G::kEmailKeyboard, "Hide when exiting Email")},
    {"EMAIL", "DefaultServer", kString, "", "", kWithDefault, true, Text(G::kMailServer, "Server").Place(1)},
    {"EMAIL", "ServerReadOnly", kBoolean, "1", "0", kWithDefault, true,
     Check(G::kMailServer, "Server read only").Place(2)},
    {"EMAIL", "MailtoReadOnly", kBoolean, "1", "0", kWithDefault, true,
     Check(G::kMailServer, "Mailto read only").Place(3)},
    // The same for the e-mail window; added by hand.
    {"EMAIL", "Security", kString, "", "", kWithDefault, false,
     Choice(G::kMailServer, "Security", kMailSecurityChoice)},
    {"EMAIL", "UserName", kString, "", "", kWithDefault, false, Text(G::kMailServer, "User Name")},
    {"EMAIL", "Password", kString, "", "", kWithDefault, false, Text(G::kMailServer, "Password")},
    {"EMAIL", "CAFile", kFile, "", "", kWithDefault, false,
     File(G::kMailServer, "CA certificates", Picker::kCertificates)},
    {"EMAIL", "AllowPlainTextAuth", kBoolean, "0", "0", kWithDefault, false,
     Check(G::kMailServer, "Plain-text log-in allowed")},

    // [GRAPHICS]
    {"GRAPHICS", "Top", kFile, "", "", kWithDefault, true, File(G::kMainFrame, "Top", Picker::kBitmap).Place(1)},
    {"GRAPHICS", "LeftFull", kFile, "", "", kWithDefault, true, File(G::kMainFrame, "Left Full", Picker::kBitmap)},
    {"GRAPHICS", "LeftHalf", kFile, "", "", kWithDefault, true,
     File(G::kMainFrame, "Left panel with keyboard showing", Picker::kBitmap)},
    {"GRAPHICS", "RightFull", kFile, "", "", kWithDefault, true, File(G::kMainFrame, "Right Full", Picker::kBitmap)},
    {"GRAPHICS", "RightHalf", kFile, "", "", kWithDefault, true,
     File(G::kMainFrame, "Right panel with keyboard showing", Picker::kBitmap)},
    {"GRAPHICS", "Bottom", kFile, "", "", kWithDefault, true, File(G::kMainFrame, "Bottom", Picker::kBitmap).Place(2)},
    {"GRAPHICS", "Email1", kFile, "", "", kWithDefault, true, File(G::kEmailBackground, "Email", Picker::kBitmap)},
    {"GRAPHICS", "Email2", kFile, "", "", kWithDefault, true, File(G::kEmailBackground, "Get Email", Picker::kBitmap)},
    {"GRAPHICS", "Email3", kFile, "", "", kWithDefault, true, File(G::kEmailBackground, "Send Email", Picker::kBitmap)},
    {"GRAPHICS", "Error", kFile, "", "", kWithDefault, true, File(G::kErrorDialog, "Error Dialog", Picker::kBitmap)},
});

constexpr std::array kSections = std::to_array<ConfigSection>({
    {"PREFERENCES", false},
    {"BUTTONS", false},
    {"BROWSER", false},
    {"PROTOCOLS", true},
    {"ALLOWEDPROTOCOLS", true},
    {"ALLOWEDFOLDERS", true},
    {"EMAILADDRESS", true},
    {"EMAILNAME", true},
    {"TEXT", false},
    {"GLYPH", false},
    {"URLS", false},
    {"ATTRACT", false},
    {"CAROUSELURLS", true},
    {"CAROUSELTIMES", true},
    {"BANNERGRAPHICS", true},
    {"BANNERURLS", true},
    {"BANNERTIMES", true},
    {"BANNERTEXTS", true},
    {"PROGRAMS", true},
    {"KEYBOARD", false},
    {"GLYPHNUM", false},
    {"CHILDSTRINGS", true},
    {"BUSYBAR", false},
    {"CLOCK", false},
    {"SOUNDS", false},
    {"EMAIL", false},
    {"GRAPHICS", false},
    {"CONFIGURATION", true},
});

constexpr std::array<ConfigListPart, 0> kNoCompanions{};
constexpr std::array kRecipientCompanions = std::to_array<ConfigListPart>({{"EMAILNAME", "Name"}});
constexpr std::array kCarouselCompanions = std::to_array<ConfigListPart>({{"CAROUSELTIMES", "Time"}});
constexpr std::array kBannerCompanions =
    std::to_array<ConfigListPart>({{"BANNERURLS", "URL"}, {"BANNERTIMES", "Time"}, {"BANNERTEXTS", "Text"}});

constexpr std::array kLists = std::to_array<ConfigList>({
    {ConfigListId::kProtocols, {"PROTOCOLS", "Block"}, kNoCompanions, true},
    {ConfigListId::kAllowedProtocols, {"ALLOWEDPROTOCOLS", "Allow"}, kNoCompanions, true},
    {ConfigListId::kAllowedFolders, {"ALLOWEDFOLDERS", "Allow"}, kNoCompanions, true},
    {ConfigListId::kLogRecipients, {"EMAILADDRESS", "Address"}, kRecipientCompanions, true},
    {ConfigListId::kCarousel, {"CAROUSELURLS", "URL"}, kCarouselCompanions, true},
    {ConfigListId::kBanners, {"BANNERGRAPHICS", "Graphic"}, kBannerCompanions, true},
    {ConfigListId::kPrograms, {"PROGRAMS", "Program"}, kNoCompanions, true},
    {ConfigListId::kChildStrings, {"CHILDSTRINGS", "ChildString"}, kNoCompanions, true},
    {ConfigListId::kConfiguration, {"CONFIGURATION", "ConfString"}, kNoCompanions, false},
});

// Where the keys of the tool-bar buttons stand among the others, in the buttons' order.
enum class ButtonKeys { kSlots, kCommands, kCaptions, kGlyphs, kPages, kGlyphStates, kSounds };
struct ButtonKeysPlace {
  std::string_view section;
  std::string_view before;  // "" for the end of the section
  ButtonKeys keys;
};
constexpr std::array kButtonKeysPlaces = std::to_array<ButtonKeysPlace>({
    {"BUTTONS", "ScrollOn", ButtonKeys::kSlots},
    {"BUTTONS", "Custom1Number", ButtonKeys::kCommands},
    {"TEXT", "Show", ButtonKeys::kCaptions},
    {"GLYPH", "Show", ButtonKeys::kGlyphs},
    {"URLS", "", ButtonKeys::kPages},
    {"GLYPHNUM", "Up", ButtonKeys::kGlyphStates},
    {"SOUNDS", "GetSource", ButtonKeys::kSounds},
});

// Key names made of a button's setting ("StartOn") live as long as the table.
std::string_view Kept(std::string name) {
  static std::deque<std::string> kept;
  return kept.emplace_back(std::move(name));
}

void AddButtonKeys(std::vector<ConfigKey>& keys, ButtonKeys which) {
  constexpr auto kRead = KioskRead::kWithDefault;
  for (const ToolbarButtonInfo& b : ToolbarButtons()) {
    if (!b.setup_label) continue;                      // shares another button's keys
    const bool own_caption = !b.setup_label->empty();  // the Keyboard button's are TEXT/Show and Hide
    const std::string setting(b.setting);
    switch (which) {
      case ButtonKeys::kSlots:
        keys.push_back({"BUTTONS", Kept(setting + "On"), ConfigKind::kPosition, b.setup_slot, "0",
                        KioskRead::kHiddenWhenAbsent, true});
        break;
      case ButtonKeys::kCommands:
        if (b.has_url) {
          keys.push_back({"BUTTONS", Kept(std::string(b.text_key) + "TW"), ConfigKind::kInteger, "0", "",
                          KioskRead::kNotRead, true});
        }
        break;
      case ButtonKeys::kCaptions:
        if (own_caption) keys.push_back({"TEXT", b.text_key, ConfigKind::kString, "", b.caption, kRead, true});
        break;
      case ButtonKeys::kGlyphs:
        if (own_caption) keys.push_back({"GLYPH", b.text_key, ConfigKind::kFile, "", "", kRead, true});
        break;
      case ButtonKeys::kPages:
        if (b.has_url) keys.push_back({"URLS", b.text_key, ConfigKind::kUrl, "", "", kRead, true});
        break;
      case ButtonKeys::kGlyphStates:
        keys.push_back({"GLYPHNUM", b.glyph_count_key, ConfigKind::kGlyphStates, "2", "2", kRead, true});
        break;
      case ButtonKeys::kSounds:
        keys.push_back({"SOUNDS", Kept(setting + "Source"), ConfigKind::kSoundSource, "0", "0", kRead, true});
        keys.push_back({"SOUNDS", Kept(setting + "Wav"), ConfigKind::kFile, "", "", kRead, true});
        break;
    }
  }
}

// The whole table: the fixed keys with the buttons' keys in their places.
const std::vector<ConfigKey>& Keys() {
  static const std::vector<ConfigKey> keys = [] {
    std::vector<ConfigKey> all;
    const auto add_placed = [&](std::string_view section, std::string_view before) {
      for (const ButtonKeysPlace& place : kButtonKeysPlaces) {
        if (place.section == section && place.before == before) AddButtonKeys(all, place.keys);
      }
    };
    for (std::size_t i = 0; i < kFixedKeys.size(); ++i) {
      const ConfigKey& key = kFixedKeys[i];
      add_placed(key.section, key.name);
      all.push_back(key);
      if (i + 1 == kFixedKeys.size() || kFixedKeys[i + 1].section != key.section) add_placed(key.section, "");
    }
    return all;
  }();
  return keys;
}

const ConfigKey& KnownKey(std::string_view section, std::string_view name) {
  const ConfigKey* key = FindConfigKey(section, name);
  if (key == nullptr) {
    throw std::out_of_range("unknown configuration key [" + std::string(section) + "] " + std::string(name));
  }
  return *key;
}

}  // namespace

std::span<const ConfigKey> ConfigKeys() { return Keys(); }

std::vector<const ConfigKey*> ConfigKeysOf(std::string_view section) {
  std::vector<const ConfigKey*> keys;
  for (const ConfigKey& key : Keys()) {
    if (SameName(key.section, section)) keys.push_back(&key);
  }
  return keys;
}

const ConfigKey* FindConfigKey(std::string_view section, std::string_view name) {
  for (const ConfigKey& key : Keys()) {
    if (SameName(key.section, section) && SameName(key.name, name)) return &key;
  }
  return nullptr;
}

std::string_view SetupDefault(std::string_view section, std::string_view name) {
  return KnownKey(section, name).setup_default;
}

std::string_view KioskDefault(std::string_view section, std::string_view name) {
  const ConfigKey& key = KnownKey(section, name);
  if (!key.kiosk_reads()) {
    throw std::logic_error("the kiosk does not read [" + std::string(key.section) + "] " + std::string(key.name));
  }
  return key.kiosk_default;
}

std::span<const ConfigSection> ConfigSections() { return kSections; }

std::optional<std::size_t> ConfigSectionIndex(std::string_view section) {
  for (std::size_t i = 0; i < kSections.size(); ++i) {
    if (SameName(kSections[i].name, section)) return i;
  }
  return std::nullopt;
}

ListSection ConfigList::FirstSection() const { return {std::string(first.section), std::string(first.prefix)}; }

std::vector<ListSection> ConfigList::CompanionSections() const {
  std::vector<ListSection> parts;
  for (const ConfigListPart& part : companions) {
    parts.push_back({std::string(part.section), std::string(part.prefix)});
  }
  return parts;
}

std::span<const ConfigList> ConfigLists() { return kLists; }

const ConfigList& GetConfigList(ConfigListId id) {
  for (const ConfigList& list : kLists) {
    if (list.id == id) return list;
  }
  throw std::out_of_range("unknown configuration list");
}

const ConfigList* FindConfigList(std::string_view section) {
  for (const ConfigList& list : kLists) {
    if (SameName(list.first.section, section)) return &list;
    for (const ConfigListPart& part : list.companions) {
      if (SameName(part.section, section)) return &list;
    }
  }
  return nullptr;
}

std::vector<std::vector<std::string>> ReadConfigList(const ProfileFile& file, ConfigListId id) {
  const ConfigList& list = GetConfigList(id);
  return ReadList(file, list.FirstSection(), list.CompanionSections());
}

void WriteConfigList(ProfileFile& file, ConfigListId id, const std::vector<std::vector<std::string>>& rows) {
  const ConfigList& list = GetConfigList(id);
  WriteList(file, list.FirstSection(), list.CompanionSections(), rows);
}

}  // namespace tw
