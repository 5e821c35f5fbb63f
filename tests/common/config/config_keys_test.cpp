#include "common/config/config_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "support/temp_dir.h"

namespace tw {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// Counted by hand from the key tables; a dropped or doubled row shows up here.
TEST(ConfigKeys, CountsPerSection) {
  const std::map<std::string, std::size_t> expected = {
      {"PREFERENCES", 38}, {"BUTTONS", 75}, {"BROWSER", 3},  {"TEXT", 29},     {"GLYPH", 29},
      {"URLS", 9},         {"ATTRACT", 8},  {"KEYBOARD", 1}, {"GLYPHNUM", 28}, {"BUSYBAR", 3},
      {"CLOCK", 7},        {"SOUNDS", 79},  {"EMAIL", 13},   {"GRAPHICS", 10},
  };
  std::map<std::string, std::size_t> counted;
  for (const ConfigKey& key : ConfigKeys()) ++counted[std::string(key.section)];
  EXPECT_EQ(counted, expected);
  EXPECT_EQ(ConfigKeys().size(), 332u);
  // The others only an operator adds by hand.
  EXPECT_EQ(std::count_if(ConfigKeys().begin(), ConfigKeys().end(), [](const ConfigKey& key) { return key.written; }),
            320);
  EXPECT_EQ(ConfigKeysOf("sounds").size(), 79u);
  EXPECT_TRUE(ConfigKeysOf("PROTOCOLS").empty());
}

TEST(ConfigKeys, NoDuplicateKeysWithinASectionIgnoringCase) {
  std::set<std::pair<std::string, std::string>> seen;
  for (const ConfigKey& key : ConfigKeys()) {
    EXPECT_TRUE(seen.insert({Lower(key.section), Lower(key.name)}).second) << key.section << "/" << key.name;
  }
}

TEST(ConfigKeys, SectionsAreContiguousAndInFileOrder) {
  std::size_t last = 0;
  std::set<std::string> finished;
  std::string current;
  for (const ConfigKey& key : ConfigKeys()) {
    const auto index = ConfigSectionIndex(key.section);
    ASSERT_TRUE(index.has_value()) << key.section;
    EXPECT_FALSE(ConfigSections()[*index].is_list) << key.section;
    EXPECT_GE(*index, last) << key.section << "/" << key.name;
    last = *index;
    if (key.section != current) {
      EXPECT_TRUE(finished.insert(std::string(key.section)).second) << key.section;
      current = key.section;
    }
  }
  // Every section of named keys has keys.
  for (const ConfigSection& section : ConfigSections()) {
    EXPECT_EQ(ConfigKeysOf(section.name).empty(), section.is_list) << section.name;
  }
}

TEST(ConfigKeys, SectionOrder) {
  const char* const expected[] = {
      "PREFERENCES",    "BUTTONS",      "BROWSER",       "PROTOCOLS",     "ALLOWEDPROTOCOLS",
      "ALLOWEDFOLDERS", "EMAILADDRESS", "EMAILNAME",     "TEXT",          "GLYPH",
      "URLS",           "ATTRACT",      "CAROUSELURLS",  "CAROUSELTIMES", "BANNERGRAPHICS",
      "BANNERURLS",     "BANNERTIMES",  "BANNERTEXTS",   "PROGRAMS",      "KEYBOARD",
      "GLYPHNUM",       "CHILDSTRINGS", "BUSYBAR",       "CLOCK",         "SOUNDS",
      "EMAIL",          "GRAPHICS",     "CONFIGURATION",
  };
  ASSERT_EQ(ConfigSections().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(ConfigSections()[i].name, expected[i]);
    EXPECT_EQ(ConfigSectionIndex(Lower(expected[i])), i);
  }
  EXPECT_FALSE(ConfigSectionIndex("MESSAGES").has_value());
}

// Each default must have the form its kind allows: catches values put in the wrong column.
TEST(ConfigKeys, DefaultsFitTheirKind) {
  auto fits = [](ConfigKind kind, std::string_view value) {
    if (value.empty()) {
      return kind != ConfigKind::kPosition && kind != ConfigKind::kColour && kind != ConfigKind::kSoundSource &&
             kind != ConfigKind::kGlyphStates;
    }
    const auto number = ParseProfileInteger(value);
    switch (kind) {
      case ConfigKind::kBoolean: return value == "0" || value == "1";
      case ConfigKind::kInteger: return number.has_value();
      case ConfigKind::kColour: return value.size() == 9 && value[0] == '$' && number.has_value();
      case ConfigKind::kPosition: return value.size() == 1 && value[0] >= '0' && value[0] <= '8';
      case ConfigKind::kSoundSource: return number && *number >= 0 && *number <= 7;
      case ConfigKind::kGlyphStates: return number && *number >= 1 && *number <= 3;
      case ConfigKind::kString:
      case ConfigKind::kFile:
      case ConfigKind::kUrl: return true;
    }
    return false;
  };
  for (const ConfigKey& key : ConfigKeys()) {
    EXPECT_TRUE(fits(key.kind, key.setup_default)) << key.section << "/" << key.name;
    if (key.kiosk_reads()) {
      EXPECT_TRUE(fits(key.kind, key.kiosk_default)) << key.section << "/" << key.name;
    } else {
      EXPECT_EQ(key.kiosk_default, "") << key.section << "/" << key.name;
    }
  }
}

TEST(ConfigKeys, PositionKeys) {
  const std::map<std::string, std::string> expected = {
      {"StartOn", "1"},    {"BackOn", "2"},         {"ForwardOn", "3"},  {"HelpOn", "4"},     {"PrintOn", "5"},
      {"StopOn", "0"},     {"ReloadOn", "0"},       {"EmailOn", "0"},    {"KeyboardOn", "7"}, {"BCustom1On", "0"},
      {"BCustom2On", "0"}, {"BCustom3On", "0"},     {"BCustom4On", "0"}, {"BCustom5On", "0"}, {"ZoomInOn", "0"},
      {"ZoomOutOn", "0"},  {"HighContrastOn", "0"},
  };
  std::map<std::string, std::string> found;
  for (const ConfigKey& key : ConfigKeys()) {
    if (key.kind != ConfigKind::kPosition) continue;
    EXPECT_EQ(key.section, "BUTTONS");
    EXPECT_EQ(key.kiosk_read, KioskRead::kHiddenWhenAbsent) << key.name;
    EXPECT_EQ(key.kiosk_default, "0") << key.name;
    found[std::string(key.name)] = std::string(key.setup_default);
  }
  EXPECT_EQ(found, expected);
  // Only positions hide their button when absent.
  for (const ConfigKey& key : ConfigKeys()) {
    EXPECT_EQ(key.kiosk_read == KioskRead::kHiddenWhenAbsent, key.kind == ConfigKind::kPosition);
  }
}

TEST(ConfigKeys, SampleRowsAgainstTheTables) {
  struct Row {
    const char* section;
    const char* name;
    ConfigKind kind;
    const char* setup_default;
    const char* kiosk_default;
  };
  const Row rows[] = {
      {"PREFERENCES", "NewBrowser", ConfigKind::kInteger, "3", "3"},
      {"PREFERENCES", "DefaultKeyboard", ConfigKind::kBoolean, "1", "0"},
      {"PREFERENCES", "ScreenMode", ConfigKind::kString, "A", "A"},
      {"PREFERENCES", "LogHour", ConfigKind::kInteger, "", "0"},
      {"PREFERENCES", "HideTaskBar", ConfigKind::kBoolean, "1", "0"},
      {"BUTTONS", "NumberOfButtons", ConfigKind::kInteger, "6", "6"},
      {"BUTTONS", "Custom10Number", ConfigKind::kGlyphStates, "1", "1"},
      {"BROWSER", "FileName", ConfigKind::kFile, "", "NoBrowserFile"},
      {"BROWSER", "DDE", ConfigKind::kString, "", "NoBrowserDDE"},
      {"BUSYBAR", "TopColour", ConfigKind::kColour, "$00FFFFFF", "$8000000D"},
      {"BUSYBAR", "BottomColour", ConfigKind::kColour, "$00000000", "$8000000E"},
      {"TEXT", "Get", ConfigKind::kString, "Get", "Get Mail"},
      {"TEXT", "Ok", ConfigKind::kString, "Ok", "OK"},
      {"TEXT", "BCustom3", ConfigKind::kString, "", "Custom 3"},
      {"URLS", "Start", ConfigKind::kUrl, "", "NoURLStart"},
      {"URLS", "Logo", ConfigKind::kUrl, "", "NoURLLogo"},
      {"ATTRACT", "VideoFileName", ConfigKind::kFile, "", "xxx"},
      {"ATTRACT", "GoToStart", ConfigKind::kBoolean, "0", "1"},
      {"GLYPHNUM", "Keyboard", ConfigKind::kGlyphStates, "2", "2"},
      {"CLOCK", "Shape", ConfigKind::kInteger, "1", "0"},
      {"CLOCK", "BackColour", ConfigKind::kColour, "$00FFFFFF", "$8000000F"},
      {"CLOCK", "TickColour", ConfigKind::kColour, "$00000000", "$80000006"},
      {"SOUNDS", "DelSource", ConfigKind::kSoundSource, "0", "0"},
      {"EMAIL", "MailtoReadOnly", ConfigKind::kBoolean, "1", "0"},
      {"GRAPHICS", "Error", ConfigKind::kFile, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.section) + "/" + row.name);
    const ConfigKey* key = FindConfigKey(row.section, row.name);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->kind, row.kind);
    EXPECT_EQ(key->setup_default, row.setup_default);
    EXPECT_EQ(key->kiosk_default, row.kiosk_default);
    EXPECT_EQ(SetupDefault(row.section, row.name), row.setup_default);
    EXPECT_EQ(KioskDefault(row.section, row.name), row.kiosk_default);
  }
}

TEST(ConfigKeys, LookupIgnoresCase) {
  const ConfigKey* email_log = FindConfigKey("PREFERENCES", "EMailLog");
  ASSERT_NE(email_log, nullptr);
  EXPECT_EQ(email_log->name, "EmailLog");
  const ConfigKey* ok_wav = FindConfigKey("sounds", "OKWav");
  ASSERT_NE(ok_wav, nullptr);
  EXPECT_EQ(ok_wav->name, "OkWav");
  EXPECT_EQ(ok_wav->section, "SOUNDS");
  // The same name in two sections is two keys.
  EXPECT_NE(FindConfigKey("PREFERENCES", "ScrollOn"), FindConfigKey("BUTTONS", "scrollon"));
  EXPECT_EQ(FindConfigKey("GLYPH", "Start")->kind, ConfigKind::kFile);
  EXPECT_EQ(FindConfigKey("GLYPHNUM", "Start")->kind, ConfigKind::kGlyphStates);
  EXPECT_EQ(FindConfigKey("PREFERENCES", "NoSuchKey"), nullptr);
  EXPECT_EQ(FindConfigKey("NOSUCHSECTION", "Start"), nullptr);
  EXPECT_THROW(SetupDefault("PREFERENCES", "NoSuchKey"), std::out_of_range);
  EXPECT_THROW(KioskDefault("PREFERENCES", "NoSuchKey"), std::out_of_range);
}

TEST(ConfigKeys, KeysTheKioskDoesNotRead) {
  std::set<std::string> not_read;
  for (const ConfigKey& key : ConfigKeys()) {
    if (!key.kiosk_reads()) not_read.insert(std::string(key.section) + "/" + std::string(key.name));
  }
  std::set<std::string> expected = {"KEYBOARD/Associated", "SOUNDS/ApplyToManager"};
  for (int i = 1; i <= 10; ++i) expected.insert("BUTTONS/TWCommand" + std::to_string(i));
  for (int i = 1; i <= 5; ++i) expected.insert("BUTTONS/BCustom" + std::to_string(i) + "TW");
  EXPECT_EQ(not_read, expected);
  EXPECT_EQ(SetupDefault("BUTTONS", "TWCommand4"), "0");
  EXPECT_THROW(KioskDefault("BUTTONS", "TWCommand4"), std::logic_error);
}

// Keys an operator adds by hand: Debug and how mail reaches its servers.
TEST(ConfigKeys, HandAddedKeysAreReadButNeverWritten) {
  const ConfigKey* debug = FindConfigKey("PREFERENCES", "DEBUG");
  ASSERT_NE(debug, nullptr);
  EXPECT_EQ(debug->kind, ConfigKind::kBoolean);
  EXPECT_EQ(KioskDefault("PREFERENCES", "Debug"), "0");
  EXPECT_EQ(KioskDefault("PREFERENCES", "EMailSecurity"), "");
  EXPECT_EQ(KioskDefault("EMAIL", "AllowPlainTextAuth"), "0");
  std::set<std::string> unwritten;
  for (const ConfigKey& key : ConfigKeys()) {
    if (key.written) continue;
    unwritten.insert(std::string(key.section) + "/" + std::string(key.name));
    EXPECT_TRUE(key.kiosk_reads()) << key.section << "/" << key.name;
  }
  const std::set<std::string> expected = {
      "PREFERENCES/Debug",
      "PREFERENCES/LogToJournal",
      "PREFERENCES/EmailSecurity",
      "PREFERENCES/EmailUserName",
      "PREFERENCES/EmailPassword",
      "PREFERENCES/EmailCAFile",
      "PREFERENCES/EmailAllowPlainTextAuth",
      "EMAIL/Security",
      "EMAIL/UserName",
      "EMAIL/Password",
      "EMAIL/CAFile",
      "EMAIL/AllowPlainTextAuth",
  };
  EXPECT_EQ(unwritten, expected);
}

TEST(ConfigLists, PartsAndPlaces) {
  struct Expected {
    ConfigListId id;
    std::vector<std::pair<std::string, std::string>> parts;  // first, then companions
  };
  const Expected expected[] = {
      {ConfigListId::kProtocols, {{"PROTOCOLS", "Block"}}},
      {ConfigListId::kAllowedProtocols, {{"ALLOWEDPROTOCOLS", "Allow"}}},
      {ConfigListId::kAllowedFolders, {{"ALLOWEDFOLDERS", "Allow"}}},
      {ConfigListId::kLogRecipients, {{"EMAILADDRESS", "Address"}, {"EMAILNAME", "Name"}}},
      {ConfigListId::kCarousel, {{"CAROUSELURLS", "URL"}, {"CAROUSELTIMES", "Time"}}},
      {ConfigListId::kBanners,
       {{"BANNERGRAPHICS", "Graphic"}, {"BANNERURLS", "URL"}, {"BANNERTIMES", "Time"}, {"BANNERTEXTS", "Text"}}},
      {ConfigListId::kPrograms, {{"PROGRAMS", "Program"}}},
      {ConfigListId::kChildStrings, {{"CHILDSTRINGS", "ChildString"}}},
      {ConfigListId::kConfiguration, {{"CONFIGURATION", "ConfString"}}},
  };
  ASSERT_EQ(ConfigLists().size(), std::size(expected));
  std::size_t list_sections = 0;
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const ConfigList& list = GetConfigList(expected[i].id);
    EXPECT_EQ(&list, &ConfigLists()[i]);
    std::vector<std::pair<std::string, std::string>> parts = {
        {std::string(list.first.section), std::string(list.first.prefix)}};
    for (const ConfigListPart& part : list.companions) {
      parts.push_back({std::string(part.section), std::string(part.prefix)});
    }
    EXPECT_EQ(parts, expected[i].parts);
    // The parts of a list stand together in the section order, first section first.
    const auto place = ConfigSectionIndex(list.first.section);
    ASSERT_TRUE(place.has_value());
    for (std::size_t k = 0; k < parts.size(); ++k) {
      EXPECT_EQ(ConfigSectionIndex(parts[k].first), *place + k);
      EXPECT_TRUE(ConfigSections()[*place + k].is_list);
      EXPECT_EQ(FindConfigList(Lower(parts[k].first)), &list);
      ++list_sections;
    }
    EXPECT_EQ(list.FirstSection().section, list.first.section);
    EXPECT_EQ(list.CompanionSections().size(), list.companions.size());
  }
  EXPECT_EQ(list_sections, static_cast<std::size_t>(std::count_if(ConfigSections().begin(), ConfigSections().end(),
                                                                  [](const ConfigSection& s) { return s.is_list; })));
  EXPECT_FALSE(GetConfigList(ConfigListId::kConfiguration).kiosk_reads);
  EXPECT_TRUE(GetConfigList(ConfigListId::kBanners).kiosk_reads);
  EXPECT_EQ(FindConfigList("TEXT"), nullptr);
}

TEST(ConfigLists, WriteAndReadBackParallelSections) {
  test::TempDir dir;
  ProfileFile file(dir.File("Tarnwick.ini"));
  const std::vector<std::vector<std::string>> banners = {
      {"/k/a.gif", "http://a/", "10", "Opening hours"}, {"/k/b.gif", "", "20", ""}, {"/k/c.gif", "http://c/", "", ""}};
  WriteConfigList(file, ConfigListId::kBanners, banners);
  EXPECT_EQ(file.ReadString("BANNERURLS", "URL2", "?"), "http://c/");
  EXPECT_EQ(file.ReadString("BANNERTIMES", "Time1", "?"), "20");
  EXPECT_EQ(ReadConfigList(file, ConfigListId::kBanners), banners);

  WriteConfigList(file, ConfigListId::kBanners, {});
  EXPECT_FALSE(file.SectionExists("BANNERGRAPHICS"));
  EXPECT_FALSE(file.SectionExists("BANNERTIMES"));
  EXPECT_TRUE(ReadConfigList(file, ConfigListId::kBanners).empty());
}

}  // namespace
}  // namespace tw
