#include "common/config/config_keys.h"

#include <array>
#include <deque>
#include <stdexcept>
#include <string>

#include "common/config/toolbar_buttons.h"

namespace tw {
namespace {

// The keys of named sections, less those that every tool-bar button brings (below).
constexpr std::array kFixedKeys = std::to_array<ConfigKey>({
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
