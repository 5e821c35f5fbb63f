// The kiosk's settings against the key table, the one source of their defaults: every
// key the kiosk reads is read (setting it changes the settings) and a key written at its
// default gives the same settings as an absent key.
#include "kiosk/core/settings/kiosk_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

#include "common/config/config_keys.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

// A value of the key's kind that is not its default.
std::string OtherValue(const ConfigKey& key) {
  const std::string d(key.kiosk_default);
  const int number = std::atoi(d.c_str());
  switch (key.kind) {
    case ConfigKind::kBoolean: return d == "1" ? "0" : "1";
    case ConfigKind::kInteger: return std::to_string(number + 7);
    case ConfigKind::kColour: return d == "$00123456" ? "$00654321" : "$00123456";
    case ConfigKind::kPosition: return d == "3" ? "4" : "3";
    case ConfigKind::kSoundSource: return std::to_string((number + 1) % 8);
    case ConfigKind::kGlyphStates: return number == 1 ? "2" : "1";
    default:
      // The mail security modes take only their own words.
      if (key.name.ends_with("Security")) return d == "tls" ? "none" : "tls";
      return "tw-other-" + d;
  }
}

class KioskSettingsTest : public ::testing::Test {
 protected:
  KioskSettings Load(const std::string& ini) {
    std::ofstream(dir_.File("Tarnwick.ini"), std::ios::binary) << ini;
    return LoadKioskSettings(ProfileFile(dir_.File("Tarnwick.ini")), ProfileFile(dir_.File("TWLang.ini"))).settings;
  }
  static std::string Line(const ConfigKey& key, const std::string& value) {
    return "[" + std::string(key.section) + "]\n" + std::string(key.name) + "=" + value + "\n";
  }

  test::TempDir dir_;
};

TEST_F(KioskSettingsTest, EveryKeyIsReadWithTheDefaultOfTheKeyTable) {
  const KioskSettings absent = Load("");
  int read = 0;
  for (const ConfigKey& key : ConfigKeys()) {
    if (!key.kiosk_reads()) continue;
    ++read;
    const std::string name = std::string(key.section) + "/" + std::string(key.name);
    // An absent tool-bar position reads as slot 1, hidden, and "0" as slot 0, hidden: the
    // same hidden button, but not the same settings.
    if (key.kiosk_read != KioskRead::kHiddenWhenAbsent) {
      EXPECT_TRUE(Load(Line(key, std::string(key.kiosk_default))) == absent) << name << " has another default";
    }
    EXPECT_FALSE(Load(Line(key, OtherValue(key))) == absent) << name << " is not read";
  }
  EXPECT_GT(read, 200);
}

}  // namespace
}  // namespace tw
