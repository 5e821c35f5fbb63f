#include "common/config_keys.h"

#include <array>
#include <stdexcept>
#include <string>

namespace tw {
namespace {

constexpr std::array kKeys = std::to_array<ConfigKey>({
    // [PREFERENCES]
    {"PREFERENCES", "DefaultKeyboard", ConfigKind::kBoolean, "1", "0", KioskRead::kWithDefault, true},
    {"PREFERENCES", "NewBrowser", ConfigKind::kInteger, "3", "3", KioskRead::kWithDefault, true},
    {"PREFERENCES", "ScreenMode", ConfigKind::kString, "A", "A", KioskRead::kWithDefault, true},
    {"PREFERENCES", "ShowBusyBar", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "CancelSecurity", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "ScrollOn", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "SaveLog", ConfigKind::kBoolean, "1", "0", KioskRead::kWithDefault, true},
    {"PREFERENCES", "EmailLog", ConfigKind::kBoolean, "1", "0", KioskRead::kWithDefault, true},
    {"PREFERENCES", "EmailFeedback", ConfigKind::kBoolean, "1", "0", KioskRead::kWithDefault, true},
    {"PREFERENCES", "LogHour", ConfigKind::kInteger, "", "0", KioskRead::kWithDefault, true},
    {"PREFERENCES", "LogMinute", ConfigKind::kInteger, "", "0", KioskRead::kWithDefault, true},
    {"PREFERENCES", "LogURLs", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "LogTimeURLs", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "LogCarouselURLs", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "LogVideoStart", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "LogLoadedURLs", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "LogProtocol", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    // The log's lines also in the system journal; added by hand to turn it off.
    {"PREFERENCES", "LogToJournal", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, false},
    {"PREFERENCES", "EmailFromAddress", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"PREFERENCES", "EmailFromName", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"PREFERENCES", "EmailServer", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    // How the log mail reaches its server; added by hand. Security: none, starttls or tls;
    // empty or absent means STARTTLS when the server offers it.
    {"PREFERENCES", "EmailSecurity", ConfigKind::kString, "", "", KioskRead::kWithDefault, false},
    {"PREFERENCES", "EmailUserName", ConfigKind::kString, "", "", KioskRead::kWithDefault, false},
    {"PREFERENCES", "EmailPassword", ConfigKind::kString, "", "", KioskRead::kWithDefault, false},
    {"PREFERENCES", "EmailCAFile", ConfigKind::kFile, "", "", KioskRead::kWithDefault, false},
    {"PREFERENCES", "EmailAllowPlainTextAuth", ConfigKind::kBoolean, "0", "0", KioskRead::kWithDefault, false},
    {"PREFERENCES", "CommandEnabled", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "ExecuteEnabled", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "CommandPassword", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"PREFERENCES", "PasswordOn", ConfigKind::kBoolean, "1", "0", KioskRead::kWithDefault, true},
    {"PREFERENCES", "Password", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"PREFERENCES", "BlockRightButton", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "ShowClock", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "KeyBlock", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"PREFERENCES", "Splash", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"PREFERENCES", "HideTaskBar", ConfigKind::kBoolean, "1", "0", KioskRead::kWithDefault, true},
    // Read by the kiosk only; an operator adds it by hand.
    {"PREFERENCES", "Debug", ConfigKind::kBoolean, "", "0", KioskRead::kWithDefault, false},

    // [BUTTONS]
    {"BUTTONS", "ExitOn", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "NumberOfButtons", ConfigKind::kInteger, "6", "6", KioskRead::kWithDefault, true},
    {"BUTTONS", "StartOn", ConfigKind::kPosition, "1", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "BackOn", ConfigKind::kPosition, "2", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "ForwardOn", ConfigKind::kPosition, "3", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "HelpOn", ConfigKind::kPosition, "4", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "PrintOn", ConfigKind::kPosition, "5", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "StopOn", ConfigKind::kPosition, "0", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "ReloadOn", ConfigKind::kPosition, "0", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "EmailOn", ConfigKind::kPosition, "0", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "KeyboardOn", ConfigKind::kPosition, "7", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "BCustom1On", ConfigKind::kPosition, "0", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "BCustom2On", ConfigKind::kPosition, "0", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "BCustom3On", ConfigKind::kPosition, "0", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "BCustom4On", ConfigKind::kPosition, "0", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "BCustom5On", ConfigKind::kPosition, "0", "0", KioskRead::kHiddenWhenAbsent, true},
    {"BUTTONS", "ScrollOn", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom1URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom1Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom1Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand1", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom2URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom2Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom2Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand2", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom3URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom3Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom3Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand3", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom4URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom4Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom4Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand4", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom5URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom5Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom5Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand5", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom6URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom6Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom6Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand6", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom7URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom7Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom7Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand7", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom8URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom8Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom8Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand8", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom9URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom9Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom9Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand9", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom10URL", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom10Text", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom10Glyph", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"BUTTONS", "TWCommand10", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "BCustom1TW", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "BCustom2TW", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "BCustom3TW", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "BCustom4TW", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "BCustom5TW", ConfigKind::kInteger, "0", "", KioskRead::kNotRead, true},
    {"BUTTONS", "Custom1Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom2Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom3Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom4Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom5Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom6Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom7Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom8Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom9Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},
    {"BUTTONS", "Custom10Number", ConfigKind::kGlyphStates, "1", "1", KioskRead::kWithDefault, true},

    // [BROWSER]
    {"BROWSER", "Browser", ConfigKind::kBoolean, "0", "0", KioskRead::kWithDefault, true},
    {"BROWSER", "FileName", ConfigKind::kFile, "", "NoBrowserFile", KioskRead::kWithDefault, true},
    {"BROWSER", "DDE", ConfigKind::kString, "", "NoBrowserDDE", KioskRead::kWithDefault, true},

    // [TEXT]
    {"TEXT", "Start", ConfigKind::kString, "", "Start", KioskRead::kWithDefault, true},
    {"TEXT", "Back", ConfigKind::kString, "", "Back", KioskRead::kWithDefault, true},
    {"TEXT", "Forward", ConfigKind::kString, "", "Forward", KioskRead::kWithDefault, true},
    {"TEXT", "Help", ConfigKind::kString, "", "Help", KioskRead::kWithDefault, true},
    {"TEXT", "Print", ConfigKind::kString, "", "Print", KioskRead::kWithDefault, true},
    {"TEXT", "Stop", ConfigKind::kString, "", "Stop", KioskRead::kWithDefault, true},
    {"TEXT", "Reload", ConfigKind::kString, "", "Reload", KioskRead::kWithDefault, true},
    {"TEXT", "Email", ConfigKind::kString, "", "Email", KioskRead::kWithDefault, true},
    {"TEXT", "BCustom1", ConfigKind::kString, "", "Custom 1", KioskRead::kWithDefault, true},
    {"TEXT", "BCustom2", ConfigKind::kString, "", "Custom 2", KioskRead::kWithDefault, true},
    {"TEXT", "BCustom3", ConfigKind::kString, "", "Custom 3", KioskRead::kWithDefault, true},
    {"TEXT", "BCustom4", ConfigKind::kString, "", "Custom 4", KioskRead::kWithDefault, true},
    {"TEXT", "BCustom5", ConfigKind::kString, "", "Custom 5", KioskRead::kWithDefault, true},
    {"TEXT", "Show", ConfigKind::kString, "", "Show", KioskRead::kWithDefault, true},
    {"TEXT", "Hide", ConfigKind::kString, "", "Hide", KioskRead::kWithDefault, true},
    {"TEXT", "Up", ConfigKind::kString, "", "Up", KioskRead::kWithDefault, true},
    {"TEXT", "Down", ConfigKind::kString, "", "Down", KioskRead::kWithDefault, true},
    {"TEXT", "Left", ConfigKind::kString, "", "Left", KioskRead::kWithDefault, true},
    {"TEXT", "Right", ConfigKind::kString, "", "Right", KioskRead::kWithDefault, true},
    {"TEXT", "Get", ConfigKind::kString, "Get", "Get Mail", KioskRead::kWithDefault, true},
    {"TEXT", "Send", ConfigKind::kString, "Send", "Send", KioskRead::kWithDefault, true},
    {"TEXT", "Cancel", ConfigKind::kString, "Cancel", "Cancel", KioskRead::kWithDefault, true},
    {"TEXT", "Ok", ConfigKind::kString, "Ok", "OK", KioskRead::kWithDefault, true},
    {"TEXT", "New", ConfigKind::kString, "New", "New", KioskRead::kWithDefault, true},
    {"TEXT", "Reply", ConfigKind::kString, "Reply", "Reply", KioskRead::kWithDefault, true},
    {"TEXT", "Delete", ConfigKind::kString, "Delete", "Delete", KioskRead::kWithDefault, true},

    // [GLYPH]
    {"GLYPH", "Start", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Back", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Forward", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Help", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Print", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Stop", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Reload", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Email", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "BCustom1", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "BCustom2", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "BCustom3", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "BCustom4", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "BCustom5", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Show", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Hide", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Up", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Down", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Left", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Right", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Get", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Send", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Cancel", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Ok", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "New", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Reply", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GLYPH", "Delete", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},

    // [URLS]
    {"URLS", "Logo", ConfigKind::kUrl, "", "NoURLLogo", KioskRead::kWithDefault, true},
    {"URLS", "LogoFile", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"URLS", "Start", ConfigKind::kUrl, "", "NoURLStart", KioskRead::kWithDefault, true},
    {"URLS", "Help", ConfigKind::kUrl, "", "NoURLHelp", KioskRead::kWithDefault, true},
    {"URLS", "BCustom1", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"URLS", "BCustom2", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"URLS", "BCustom3", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"URLS", "BCustom4", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},
    {"URLS", "BCustom5", ConfigKind::kUrl, "", "", KioskRead::kWithDefault, true},

    // [ATTRACT]
    {"ATTRACT", "TimeStart", ConfigKind::kInteger, "0", "0", KioskRead::kWithDefault, true},
    {"ATTRACT", "TimeCarousel", ConfigKind::kInteger, "0", "0", KioskRead::kWithDefault, true},
    {"ATTRACT", "TimeVideo", ConfigKind::kInteger, "0", "0", KioskRead::kWithDefault, true},
    {"ATTRACT", "VideoFileName", ConfigKind::kFile, "", "xxx", KioskRead::kWithDefault, true},
    {"ATTRACT", "VideoWidth", ConfigKind::kInteger, "800", "800", KioskRead::kWithDefault, true},
    {"ATTRACT", "VideoHeight", ConfigKind::kInteger, "600", "600", KioskRead::kWithDefault, true},
    {"ATTRACT", "GoToStart", ConfigKind::kBoolean, "0", "1", KioskRead::kWithDefault, true},

    // [KEYBOARD]
    {"KEYBOARD", "Associated", ConfigKind::kFile, "", "", KioskRead::kNotRead, true},

    // [GLYPHNUM]
    {"GLYPHNUM", "Start", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Back", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Forward", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Help", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Print", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Stop", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Reload", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Email", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "BCustom1", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "BCustom2", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "BCustom3", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "BCustom4", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "BCustom5", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Keyboard", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Up", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Down", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Left", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Right", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Get", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Send", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Cancel", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Ok", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "New", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Reply", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},
    {"GLYPHNUM", "Delete", ConfigKind::kGlyphStates, "2", "2", KioskRead::kWithDefault, true},

    // [BUSYBAR]
    {"BUSYBAR", "TopColour", ConfigKind::kColour, "$00FFFFFF", "$8000000D", KioskRead::kWithDefault, true},
    {"BUSYBAR", "BottomColour", ConfigKind::kColour, "$00000000", "$8000000E", KioskRead::kWithDefault, true},
    {"BUSYBAR", "Graphic", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},

    // [CLOCK]
    {"CLOCK", "BackColour", ConfigKind::kColour, "$00FFFFFF", "$8000000F", KioskRead::kWithDefault, true},
    {"CLOCK", "FaceColour", ConfigKind::kColour, "$00FFFFFF", "$80000005", KioskRead::kWithDefault, true},
    {"CLOCK", "OutlineColour", ConfigKind::kColour, "$00FFFFFF", "$80000006", KioskRead::kWithDefault, true},
    {"CLOCK", "SecHandColour", ConfigKind::kColour, "$00000000", "$80000006", KioskRead::kWithDefault, true},
    {"CLOCK", "TickColour", ConfigKind::kColour, "$00000000", "$80000006", KioskRead::kWithDefault, true},
    {"CLOCK", "Shape", ConfigKind::kInteger, "1", "0", KioskRead::kWithDefault, true},
    {"CLOCK", "ShowSeconds", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},

    // [SOUNDS]
    {"SOUNDS", "Keyboard", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "KBCustomSound", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "ApplyToManager", ConfigKind::kBoolean, "1", "", KioskRead::kNotRead, true},
    {"SOUNDS", "Custom1Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom1Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom2Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom2Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom3Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom3Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom4Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom4Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom5Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom5Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom6Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom6Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom7Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom7Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom8Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom8Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom9Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom9Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom10Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "Custom10Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "UpSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "UpWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "DownSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "DownWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "LeftSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "LeftWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "RightSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "RightWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "StartSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "StartWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "BackSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "BackWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "ForwardSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "ForwardWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "HelpSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "HelpWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "PrintSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "PrintWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "StopSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "StopWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "ReloadSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "ReloadWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "EmailSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "EmailWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "KeyboardSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "KeyboardWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom1Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom1Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom2Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom2Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom3Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom3Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom4Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom4Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom5Source", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "BCustom5Wav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "GetSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "GetWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "NewSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "NewWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "CancelSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "OkSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "CancelWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "OkWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "SendSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "SendWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "ReplySource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "ReplyWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"SOUNDS", "DelSource", ConfigKind::kSoundSource, "0", "0", KioskRead::kWithDefault, true},
    {"SOUNDS", "DelWav", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},

    // [EMAIL]
    {"EMAIL", "MailTo", ConfigKind::kBoolean, "0", "0", KioskRead::kWithDefault, true},
    {"EMAIL", "EmailText1", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"EMAIL", "EmailText2", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"EMAIL", "ShowKeyboard", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"EMAIL", "HideKeyboard", ConfigKind::kBoolean, "1", "1", KioskRead::kWithDefault, true},
    {"EMAIL", "DefaultServer", ConfigKind::kString, "", "", KioskRead::kWithDefault, true},
    {"EMAIL", "ServerReadOnly", ConfigKind::kBoolean, "1", "0", KioskRead::kWithDefault, true},
    {"EMAIL", "MailtoReadOnly", ConfigKind::kBoolean, "1", "0", KioskRead::kWithDefault, true},
    // The same for the e-mail window; added by hand.
    {"EMAIL", "Security", ConfigKind::kString, "", "", KioskRead::kWithDefault, false},
    {"EMAIL", "UserName", ConfigKind::kString, "", "", KioskRead::kWithDefault, false},
    {"EMAIL", "Password", ConfigKind::kString, "", "", KioskRead::kWithDefault, false},
    {"EMAIL", "CAFile", ConfigKind::kFile, "", "", KioskRead::kWithDefault, false},
    {"EMAIL", "AllowPlainTextAuth", ConfigKind::kBoolean, "0", "0", KioskRead::kWithDefault, false},

    // [GRAPHICS]
    {"GRAPHICS", "Top", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "LeftFull", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "LeftHalf", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "RightFull", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "RightHalf", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "Bottom", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "Email1", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "Email2", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "Email3", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
    {"GRAPHICS", "Error", ConfigKind::kFile, "", "", KioskRead::kWithDefault, true},
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
    std::to_array<ConfigListPart>({{"BANNERURLS", "URL"}, {"BANNERTIMES", "Time"}});

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

const ConfigKey& KnownKey(std::string_view section, std::string_view name) {
  const ConfigKey* key = FindConfigKey(section, name);
  if (key == nullptr) {
    throw std::out_of_range("unknown configuration key [" + std::string(section) + "] " + std::string(name));
  }
  return *key;
}

}  // namespace

std::span<const ConfigKey> ConfigKeys() { return kKeys; }

std::vector<const ConfigKey*> ConfigKeysOf(std::string_view section) {
  std::vector<const ConfigKey*> keys;
  for (const ConfigKey& key : kKeys) {
    if (SameName(key.section, section)) keys.push_back(&key);
  }
  return keys;
}

const ConfigKey* FindConfigKey(std::string_view section, std::string_view name) {
  for (const ConfigKey& key : kKeys) {
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
