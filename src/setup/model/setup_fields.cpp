#include "setup/model/setup_fields.h"

#include <array>
#include <deque>
#include <string>
#include <stdexcept>
#include <vector>

#include "common/config/command_numbers.h"
#include "common/texts/language_messages.h"
#include "common/config/profile_file.h"
#include "common/config/toolbar_buttons.h"

namespace tw {
namespace {

using C = FieldControl;

constexpr std::array<std::string_view, 12> kPages = {
    "Preferences", "Log File",           "Buttons", "Attract",  "Banners && URLs", "Command", "Security && Messages",
    "Keyboard",    "Busy Bar && Clock ", "Email",   "Graphics", "Notes",
};

constexpr std::array kPickers = std::to_array<PickerSpec>({
    {"", "", ""},
    {"Please select Browser Program.", "All files (*)", ""},
    {"Please select Program file.", "All files (*)", ""},
    {"Please select AVI video file.", "Video files (*.avi *.mp4 *.webm *.mkv);;All files (*)", "avi"},
    {"Please select a BITMAP or GIF file.", "Pictures (*.bmp *.gif *.png *.jpg);;Bitmaps (*.bmp);;Gifs (*.gif)", "bmp"},
    {"Please select a BITMAP file.", "Bitmaps (*.bmp *.png *.jpg *.gif);;All files (*)", "bmp"},
    {"Please select an AUDIO file.", "Audio Files (*.wav *.ogg *.oga)", "wav"},
    {"Please select an Email text file.", "Text files (*.txt);;Rich Text files (*.rtf);;Any file (*)", "txt"},
    {"Please select a local URL file.", "Hyper Text files (*.htm *.html)", "html"},
    {"Please select a file of CA certificates.", "Certificates (*.pem *.crt);;All files (*)", "pem"},
});

constexpr std::array kKeyboardChoice = std::to_array<FieldChoice>({{"0", "full QWERTY"}, {"1", "limited ABCDEF"}});
constexpr std::array kBrowserChoice =
    std::to_array<FieldChoice>({{"1", "Embedded browser"}, {"0", "External browser"}});
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

SetupField Check(int page, std::string_view group, std::string_view caption, std::string_view section,
                 std::string_view key) {
  return {page, group, caption, section, key, C::kCheck};
}
SetupField Text(int page, std::string_view group, std::string_view caption, std::string_view section,
                std::string_view key) {
  return {page, group, caption, section, key, C::kText};
}
SetupField Number(int page, std::string_view group, std::string_view caption, std::string_view section,
                  std::string_view key, std::int32_t minimum, std::int32_t maximum, std::int32_t step) {
  return {page, group, caption, section, key, C::kNumber, minimum, maximum, step};
}
SetupField Choice(int page, std::string_view group, std::string_view caption, std::string_view section,
                  std::string_view key, std::span<const FieldChoice> choices) {
  return {page, group, caption, section, key, C::kChoice, 0, 0, 1, choices};
}
SetupField File(int page, std::string_view group, std::string_view caption, std::string_view section,
                std::string_view key, Picker picker) {
  return {page, group, caption, section, key, C::kFile, 0, 0, 1, {}, picker};
}
SetupField Url(int page, std::string_view group, std::string_view caption, std::string_view section,
               std::string_view key) {
  return {page, group, caption, section, key, C::kLocalUrl, 0, 0, 1, {}, Picker::kLocalPage};
}
SetupField Colour(int page, std::string_view group, std::string_view caption, std::string_view section,
                  std::string_view key) {
  return {page, group, caption, section, key, C::kColour};
}
SetupField List(int page, std::string_view group, ConfigListId list, FieldControl control = C::kList) {
  return {page, group, "", "", "", control, 0, 0, 1, {}, Picker::kNone, list};
}
SetupField Message(std::size_t index) {
  return {kSecurityPage,
          "End User Messaging",
          kLanguageMessages[index].setup_entry,
          "",
          "",
          C::kMessage,
          0,
          0,
          1,
          {},
          Picker::kNone,
          ConfigListId::kProtocols,
          index};
}

constexpr std::array kSoundChoice = std::to_array<FieldChoice>({
    {"0", "NONE"},
    {"1", "Machine"},
    {"2", "Asterisk"},
    {"3", "Exclamation"},
    {"4", "Critical"},
    {"5", "Question"},
    {"6", "Default"},
    {"7", "Custom"},
});
constexpr std::array kSlotChoice = std::to_array<FieldChoice>({
    {"0", "0"},
    {"1", "1"},
    {"2", "2"},
    {"3", "3"},
    {"4", "4"},
    {"5", "5"},
    {"6", "6"},
    {"7", "7"},
    {"8", "8"},
});

// Key names made from a button's name ("Custom3URL") live as long as the table.
std::string_view Kept(std::string text) {
  static std::deque<std::string> kept;
  return kept.emplace_back(std::move(text));
}

// One button: its entry in the group's selector and the keys of its record.
struct ButtonKeys {
  std::string_view entry;
  std::string_view text_key;   // TEXT/<name>; empty when the button has none here
  std::string_view glyph_key;  // GLYPH/<name>
  std::string_view slot_key;   // BUTTONS/<name>On; empty for buttons without a slot
  std::string_view states_section;
  std::string_view states_key;
  std::string_view sound_name;  // SOUNDS/<name>Source and <name>Wav
  std::string_view url_section;
  std::string_view url_key;
  std::string_view text_section = "TEXT";
  std::string_view glyph_section = "GLYPH";
  std::string_view command_key = {};  // BUTTONS/TWCommandN or BCustomNTW
};

// The command list as choices: "0" NONE ... "15" Send Mail.
std::span<const FieldChoice> CommandChoices() {
  static const std::vector<FieldChoice> choices = [] {
    std::vector<FieldChoice> c;
    for (const ButtonCommandEntry& entry : ButtonCommands())
      c.push_back({Kept(std::to_string(entry.number)), entry.name});
    return c;
  }();
  return choices;
}

void AddButton(std::vector<SetupField>& f, int page, std::string_view group, const ButtonKeys& b) {
  const auto with_entry = [&](SetupField field) {
    field.entry = b.entry;
    f.push_back(field);
  };
  if (!b.url_key.empty()) with_entry(Url(page, group, "URL", b.url_section, b.url_key));
  if (!b.command_key.empty()) {
    SetupField command = Choice(page, group, "tw-command:", "BUTTONS", b.command_key, CommandChoices());
    command.control = C::kCommand;
    with_entry(command);
  }
  if (!b.text_key.empty()) with_entry(Text(page, group, "Text", b.text_section, b.text_key));
  if (!b.glyph_key.empty()) with_entry(File(page, group, "Glyph", b.glyph_section, b.glyph_key, Picker::kBitmap));
  if (!b.slot_key.empty()) with_entry(Choice(page, group, "Pos", "BUTTONS", b.slot_key, kSlotChoice));
  with_entry(Number(page, group, "State", b.states_section, b.states_key, 1, 3, 1));
  with_entry(Choice(page, group, "Audio Source", "SOUNDS", Kept(std::string(b.sound_name) + "Source"), kSoundChoice));
  with_entry(File(page, group, "Custom Sound", "SOUNDS", Kept(std::string(b.sound_name) + "Wav"), Picker::kSound));
}

void AddButtonFields(std::vector<SetupField>& f) {
  const int B = kButtonsPage;
  f.push_back(Choice(B, "Tool Bar", "Number of Buttons", "BUTTONS", "NumberOfButtons", kButtonCountChoice));
  f.push_back(Choice(kKeyboardPage, "Key Sounds", "Source", "SOUNDS", "Keyboard", kSoundChoice));
  f.push_back(File(kKeyboardPage, "Key Sounds", "Custom Sound", "SOUNDS", "KBCustomSound", Picker::kSound));
  f.push_back(Check(kKeyboardPage, "Key Sounds", "Apply sounds in Setup Manager also", "SOUNDS", "ApplyToManager"));
  constexpr std::string_view kStandard = "Standard Buttons";
  // The tool bar's own table: a button added there is listed here too.
  for (const ToolbarButtonInfo& button : ToolbarButtons()) {
    if (!button.setup_label || button.setup_label->empty()) continue;  // shared, or the Keyboard's own group
    const std::string_view key = button.text_key;
    ButtonKeys b{*button.setup_label,
                 key,
                 key,
                 Kept(std::string(button.setting) + "On"),
                 "GLYPHNUM",
                 button.glyph_count_key,
                 button.setting,
                 button.has_url ? "URLS" : "",
                 button.has_url ? key : ""};
    if (button.has_url) b.command_key = Kept(std::string(key) + "TW");
    AddButton(f, B, kStandard, b);
  }
  constexpr std::string_view kKeyboard = "Keyboard Show/Hide Standard Buttons";
  for (std::string_view name : {"Show", "Hide"}) {
    SetupField text = Text(B, kKeyboard, Kept(std::string(name) + " Text"), "TEXT", name);
    SetupField glyph = File(B, kKeyboard, Kept(std::string(name) + " Glyph"), "GLYPH", name, Picker::kBitmap);
    f.push_back(text);
    f.push_back(glyph);
  }
  const ToolbarButtonInfo& keyboard = ToolbarButton(ToolbarButtonId::kKeyboard);
  AddButton(f, B, kKeyboard,
            {"", "", "", Kept(std::string(keyboard.setting) + "On"), "GLYPHNUM", keyboard.glyph_count_key,
             keyboard.setting, "", ""});
  constexpr std::string_view kDirection = "Direction Buttons";
  f.push_back(Check(B, kDirection, "Activate Direction Keys", "BUTTONS", "ScrollOn"));
  for (std::string_view name : {"Up", "Down", "Left", "Right"}) {
    AddButton(f, B, kDirection, {name, name, name, "", "GLYPHNUM", name, name, "", ""});
  }
  constexpr std::string_view kCustom = "Custom Buttons";
  for (int n = 1; n <= 10; ++n) {
    const std::string prefix = "Custom" + std::to_string(n);
    ButtonKeys b{Kept("Button " + std::to_string(n)),
                 Kept(prefix + "Text"),
                 Kept(prefix + "Glyph"),
                 "",
                 "BUTTONS",
                 Kept(prefix + "Number"),
                 Kept(prefix),
                 "BUTTONS",
                 Kept(prefix + "URL")};
    b.text_section = "BUTTONS";
    b.glyph_section = "BUTTONS";
    b.command_key = Kept("TWCommand" + std::to_string(n));
    AddButton(f, B, kCustom, b);
  }
  for (std::string_view name : {"Cancel", "Ok", "Get", "New", "Reply", "Delete", "Send"}) {
    AddButton(f, kEmailPage, "Buttons",
              {name, name, name, "", "GLYPHNUM", name, name == "Delete" ? "Del" : name, "", ""});
  }
}

const std::vector<SetupField>& Fields() {
  static const std::vector<SetupField> fields = [] {
    const int P = kPreferencesPage, L = kLogFilePage, A = kAttractPage, B = kBannersPage, M = kCommandPage,
              S = kSecurityPage, K = kBusyBarPage, E = kEmailPage, G = kGraphicsPage;
    std::vector<SetupField> f = {
        Choice(P, "Default Keyboard", "Keyboard shown first", "PREFERENCES", "DefaultKeyboard", kKeyboardChoice),
        Choice(P, "Browser Information", "Browser", "BROWSER", "Browser", kBrowserChoice),
        File(P, "Browser Information", "Browser program", "BROWSER", "FileName", Picker::kBrowserProgram),
        Text(P, "Browser Information", "DDE Server (WARNING! - Do not change this value)", "BROWSER", "DDE"),
        Check(P, "Options", "Exit via keyboard button or clock", "BUTTONS", "ExitOn"),
        Check(P, "Options", "Cancel Security Violations", "PREFERENCES", "CancelSecurity"),
        Check(P, "Options", "Key Blocking", "PREFERENCES", "KeyBlock"),
        Check(P, "Options", "Auto Hide OS Task Bar", "PREFERENCES", "HideTaskBar"),
        Choice(P, "New Browser Windows Handling", "New windows", "PREFERENCES", "NewBrowser", kNewBrowserChoice),
        Choice(P, "Screen Mode", "Screen mode", "PREFERENCES", "ScreenMode", kScreenModeChoice),
        Choice(P, "Scroll Button Mode", "Scroll buttons", "PREFERENCES", "ScrollOn", kScrollChoice),
        List(P, "Protocols to Block", ConfigListId::kProtocols),
        List(P, "Protocols to Allow", ConfigListId::kAllowedProtocols),
        List(P, "Folders to Allow", ConfigListId::kAllowedFolders),
        List(P, "Dialogs To Process", ConfigListId::kChildStrings),

        Check(L, "What do you want to log?", "User Actions", "PREFERENCES", "LogURLs"),
        Check(L, "What do you want to log?", "Timed Actions", "PREFERENCES", "LogTimeURLs"),
        Check(L, "What do you want to log?", "Carousel Actions", "PREFERENCES", "LogCarouselURLs"),
        Check(L, "What do you want to log?", "Video Actions", "PREFERENCES", "LogVideoStart"),
        Check(L, "What do you want to log?", "Browser Loaded Pages", "PREFERENCES", "LogLoadedURLs"),
        Check(L, "What do you want to log?", "Blocked Protocols", "PREFERENCES", "LogProtocol"),
        Check(L, "Log file activity", "Save Log File", "PREFERENCES", "SaveLog"),
        Check(L, "Log file activity", "E-mail Log File", "PREFERENCES", "EmailLog"),
        Check(L, "Log file activity", "Email Feedback", "PREFERENCES", "EmailFeedback"),
        Number(L, "Log file activity", "Hour", "PREFERENCES", "LogHour", 0, 23, 1),
        Number(L, "Log file activity", "Minute", "PREFERENCES", "LogMinute", 0, 59, 5),
        Text(L, "E-Mail Configuration", "From Address", "PREFERENCES", "EmailFromAddress"),
        Text(L, "E-Mail Configuration", "From Name", "PREFERENCES", "EmailFromName"),
        Text(L, "E-Mail Configuration", "Server", "PREFERENCES", "EmailServer"),
        Choice(L, "E-Mail Configuration", "Security", "PREFERENCES", "EmailSecurity", kMailSecurityChoice),
        Text(L, "E-Mail Configuration", "User Name", "PREFERENCES", "EmailUserName"),
        Text(L, "E-Mail Configuration", "Password", "PREFERENCES", "EmailPassword"),
        File(L, "E-Mail Configuration", "CA certificates", "PREFERENCES", "EmailCAFile", Picker::kCertificates),
        Check(L, "E-Mail Configuration", "Plain-text log-in allowed", "PREFERENCES", "EmailAllowPlainTextAuth"),
        Check(L, "Log file activity", "Also to the system journal", "PREFERENCES", "LogToJournal"),
        List(L, "Log File Recipients", ConfigListId::kLogRecipients),

        Number(A, "Times", "Return to Start Page (sec.)", "ATTRACT", "TimeStart", 0, 21600, 10),
        Number(A, "Times", "Start Carousel (sec.)", "ATTRACT", "TimeCarousel", 0, 21600, 10),
        Number(A, "Times", "Start attract Video (sec.)", "ATTRACT", "TimeVideo", 0, 21600, 10),
        File(A, "AVI Video", "File Name", "ATTRACT", "VideoFileName", Picker::kVideo),
        Number(A, "AVI Video", "Width (pixels)", "ATTRACT", "VideoWidth", 0, 21600, 10),
        Number(A, "AVI Video", "Height (pixels)", "ATTRACT", "VideoHeight", 0, 21600, 10),
        List(A, "Carousel", ConfigListId::kCarousel),
        Check(A, "Carousel Options", "Load Start page after Carousel", "ATTRACT", "GoToStart"),

        List(B, "Banner Graphics", ConfigListId::kBanners),
        Url(B, "Logo Settings", "URL", "URLS", "Logo"),
        File(B, "Logo Settings", "Graphic File", "URLS", "LogoFile", Picker::kBannerGraphic),
        Url(B, "Button URLs", "Start", "URLS", "Start"),
        Url(B, "Button URLs", "Help", "URLS", "Help"),

        Choice(M, "URL Commands", "URL commands", "PREFERENCES", "CommandEnabled", kEnabledChoice),
        Choice(M, "Dynamic Program Execution", "Program execution", "PREFERENCES", "ExecuteEnabled", kEnabledChoice),
        List(M, "Program Files", ConfigListId::kPrograms),
        Text(M, "Command Password", "Password", "PREFERENCES", "CommandPassword"),

        Choice(S, "Password Sequence", "Exit password", "PREFERENCES", "PasswordOn", kPasswordOnChoice),
        {S, "Password Sequence", "Object", "PREFERENCES", "Password", C::kPassword},
        Choice(S, "Blocking Right Mouse Button", "Right mouse button", "PREFERENCES", "BlockRightButton",
               kRightButtonChoice),

        Colour(K, "Clock", "Back Colour", "CLOCK", "BackColour"),
        Colour(K, "Clock", "Face Colour", "CLOCK", "FaceColour"),
        Colour(K, "Clock", "Outline Colour", "CLOCK", "OutlineColour"),
        Colour(K, "Clock", "Second Hand Colour", "CLOCK", "SecHandColour"),
        Colour(K, "Clock", "Tick Colour", "CLOCK", "TickColour"),
        Check(K, "Clock", "Show Second Hand", "CLOCK", "ShowSeconds"),
        Check(K, "Clock", "Show The Clock", "PREFERENCES", "ShowClock"),
        Choice(K, "Clock", "Shape", "CLOCK", "Shape", kShapeChoice),
        Colour(K, "Busy Bar", "Top Colour", "BUSYBAR", "TopColour"),
        Colour(K, "Busy Bar", "Bottom Colour", "BUSYBAR", "BottomColour"),
        File(K, "Busy Bar", "Graphic File", "BUSYBAR", "Graphic", Picker::kBitmap),
        Check(K, "Busy Bar", "Show The Busy Bar", "PREFERENCES", "ShowBusyBar"),

        File(E, "Text Files", "Email Account Help file", "EMAIL", "EmailText1", Picker::kEmailText),
        File(E, "Text Files", "Reading Email Help File", "EMAIL", "EmailText2", Picker::kEmailText),
        Check(E, "Keyboard Behaviour", "Show when entering Email", "EMAIL", "ShowKeyboard"),
        Check(E, "Keyboard Behaviour", "Hide when exiting Email", "EMAIL", "HideKeyboard"),
        Text(E, "Mail Server", "Server", "EMAIL", "DefaultServer"),
        Check(E, "Mail Server", "Server read only", "EMAIL", "ServerReadOnly"),
        Check(E, "Mail Server", "Mailto read only", "EMAIL", "MailtoReadOnly"),
        Check(E, "Mail Server", "Mail To (Enable emailing via a web page)", "EMAIL", "MailTo"),
        Choice(E, "Mail Server", "Security", "EMAIL", "Security", kMailSecurityChoice),
        Text(E, "Mail Server", "User Name", "EMAIL", "UserName"),
        Text(E, "Mail Server", "Password", "EMAIL", "Password"),
        File(E, "Mail Server", "CA certificates", "EMAIL", "CAFile", Picker::kCertificates),
        Check(E, "Mail Server", "Plain-text log-in allowed", "EMAIL", "AllowPlainTextAuth"),

        File(G, "Splash Screen", "Splash Screen", "PREFERENCES", "Splash", Picker::kBitmap),
        File(G, "Main Tarnwick Frame", "Top", "GRAPHICS", "Top", Picker::kBitmap),
        File(G, "Main Tarnwick Frame", "Bottom", "GRAPHICS", "Bottom", Picker::kBitmap),
        File(G, "Main Tarnwick Frame", "Left Full", "GRAPHICS", "LeftFull", Picker::kBitmap),
        File(G, "Main Tarnwick Frame", "Left panel with keyboard showing", "GRAPHICS", "LeftHalf", Picker::kBitmap),
        File(G, "Main Tarnwick Frame", "Right Full", "GRAPHICS", "RightFull", Picker::kBitmap),
        File(G, "Main Tarnwick Frame", "Right panel with keyboard showing", "GRAPHICS", "RightHalf", Picker::kBitmap),
        File(G, "Email Background", "Email", "GRAPHICS", "Email1", Picker::kBitmap),
        File(G, "Email Background", "Get Email", "GRAPHICS", "Email2", Picker::kBitmap),
        File(G, "Email Background", "Send Email", "GRAPHICS", "Email3", Picker::kBitmap),
        File(G, "Error Dialog", "Error Dialog", "GRAPHICS", "Error", Picker::kBitmap),

        List(kNotesPage, "Configuration Notes", ConfigListId::kConfiguration, C::kNotes),
    };
    for (std::size_t i = 0; i < kSetupMessageCount; ++i) f.push_back(Message(i));
    AddButtonFields(f);
    return f;
  }();
  return fields;
}

constexpr std::array kProtocolColumns = std::to_array<ListColumn>({{"Protocol", "protocol"}});
constexpr std::array kAllowedColumns = std::to_array<ListColumn>({{"Protocol", "protocol"}});
constexpr std::array kFolderColumns = std::to_array<ListColumn>({{"Folder", "/"}});
constexpr std::array kRecipientColumns =
    std::to_array<ListColumn>({{"E-Mail Address", "name@domain"}, {"Name", "Name"}});
constexpr std::array kCarouselColumns = std::to_array<ListColumn>(
    {{"URL", "http://", Picker::kLocalPage, true}, {"Time", "5", Picker::kNone, false, 1, 21600, 5}});
constexpr std::array kBannerColumns = std::to_array<ListColumn>({
    {"Graphic File", "", Picker::kBannerGraphic},
    {"URL", "none", Picker::kLocalPage, true},
    {"Time", "5", Picker::kNone, false, 1, 21600, 5},
});
constexpr std::array kProgramColumns = std::to_array<ListColumn>({{"Program File", "", Picker::kProgram}});
constexpr std::array kChildColumns = std::to_array<ListColumn>({{"Dialog with string ...", ""}});
constexpr std::array kNotesColumns = std::to_array<ListColumn>({{"Configuration Notes", ""}});

constexpr std::array kListSpecs = std::to_array<ListSpec>({
    {ConfigListId::kProtocols, kProtocolColumns, false},
    {ConfigListId::kAllowedProtocols, kAllowedColumns, false},
    {ConfigListId::kAllowedFolders, kFolderColumns, false},
    {ConfigListId::kLogRecipients, kRecipientColumns, false},
    {ConfigListId::kCarousel, kCarouselColumns, true},
    {ConfigListId::kBanners, kBannerColumns, true},
    {ConfigListId::kPrograms, kProgramColumns, true},
    {ConfigListId::kChildStrings, kChildColumns, false},
    {ConfigListId::kConfiguration, kNotesColumns, false},
});

}  // namespace

std::span<const std::string_view> SetupPageCaptions() { return kPages; }

const PickerSpec& GetPickerSpec(Picker picker) { return kPickers.at(static_cast<std::size_t>(picker)); }

std::span<const SetupField> SetupFields() { return Fields(); }

const SetupField* FindSetupField(std::string_view section, std::string_view key) {
  for (const SetupField& field : Fields()) {
    if (!field.section.empty() && SameName(field.section, section) && SameName(field.key, key)) return &field;
  }
  return nullptr;
}

const SetupField* FindListField(ConfigListId list) {
  for (const SetupField& field : Fields()) {
    if ((field.control == C::kList || field.control == C::kNotes) && field.list == list) return &field;
  }
  return nullptr;
}

const ListSpec& GetListSpec(ConfigListId list) {
  for (const ListSpec& spec : kListSpecs) {
    if (spec.list == list) return spec;
  }
  throw std::out_of_range("no list editor for this list");
}

}  // namespace tw
