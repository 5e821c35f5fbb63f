#include "common/texts/language_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/keyboard/keyboard_key.h"
#include "common/config/profile_file.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::Slurp;
using test::Spit;

class LanguageFileTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string path_ = dir_.File("TWLang.ini");
};

TEST_F(LanguageFileTest, CurrentLayoutName) {
  ProfileFile file(path_);
  EXPECT_EQ(ReadCurrentLayoutName(file), "Unknown layout");
  WriteCurrentLayoutName(file, "Custom French");
  EXPECT_EQ(ReadCurrentLayoutName(ProfileFile(path_)), "Custom French");
}

TEST_F(LanguageFileTest, WrittenLayoutLoadsBack) {
  std::vector<NamedKeyboardEntry> keys = BuiltInKeyboard();
  keys[0].entry.caption4 = "\xE2\x82\xAC";  // a fourth legend
  keys[0].entry.key_layout = KeyLayout::kQuad;
  keys[1].entry.visible = false;
  SetupMessages messages = DefaultSetupMessages();
  messages[0] = "Nouvelle fen\xC3\xAAtre";

  {
    ProfileFile file(path_);
    WriteLayout(file, keys, messages, "French");
  }

  std::vector<NamedKeyboardEntry> loaded = BuiltInKeyboard();
  const LoadedLayout layout = LoadLayout(ProfileFile(path_), loaded);
  EXPECT_EQ(layout.name, "French");
  EXPECT_TRUE(layout.keyboard.ok()) << layout.keyboard.errors.list().front().Text();
  EXPECT_EQ(layout.messages, messages);
  ASSERT_EQ(loaded.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(loaded[i].entry, keys[i].entry) << keys[i].name;
}

TEST_F(LanguageFileTest, BadVisibilityCostsOnlyItsKeyAndTheMessagesAreRead) {
  const std::string second(KeyboardKeys()[1].name);
  Spit(path_, "[KEYBOARD]\nVX4KeyButton17=\"x\",\"\",\"\",\"\",\"x\",1,F,16,yes\n" + second +
                  "=\"y\",\"\",\"\",\"\",\"y\",1,F,16,1\n[MESSAGES]\nErrorString0=Mauvais serveur\n");
  std::vector<NamedKeyboardEntry> keys = BuiltInKeyboard();
  const LoadedLayout layout = LoadLayout(ProfileFile(path_), keys);
  ASSERT_EQ(layout.keyboard.errors.size(), 1u);
  EXPECT_EQ(layout.keyboard.errors.list()[0].key, "VX4KeyButton17");
  EXPECT_EQ(keys[0].entry, BuiltInEntry(KeyboardKeys()[0]));
  EXPECT_EQ(keys[1].entry.caption, "y");
  EXPECT_EQ(layout.messages[3], "Mauvais serveur");
  EXPECT_EQ(layout.name, "Unknown layout");
}

TEST_F(LanguageFileTest, CopyIsByteForByteAndFailureLeavesTheTarget) {
  const std::string layout = dir_.File("English.ini");
  const std::string text =
      "; kept\r\n[LANGUAGE]\r\nCurKB=English\r\n[KEYBOARD]\nK=\"a\"";  // mixed endings, no final break
  Spit(layout, text);
  Spit(path_, "old");
  ::chmod(path_.c_str(), 0640);
  EXPECT_EQ(CopyLayoutFile(layout, path_), std::nullopt);
  EXPECT_EQ(Slurp(path_), text);
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the target keeps its permissions

  EXPECT_EQ(CopyLayoutFile(dir_.File("Missing.ini"), path_), "Unable to read " + dir_.File("Missing.ini"));
  EXPECT_EQ(CopyLayoutFile(dir_.path(), path_), "Unable to read " + dir_.path());
  EXPECT_EQ(Slurp(path_), text);

  const std::string nowhere = dir_.File("no/such/dir/TWLang.ini");
  EXPECT_EQ(CopyLayoutFile(layout, nowhere), "Unable to write to " + nowhere);
  // No temporary file is left behind.
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) files += entry.is_regular_file();
  EXPECT_EQ(files, 2u);
}

// The demo program directory's language file holds every key, each of which reads
// without error in both programs and gives a UK English keyboard.
TEST(DemoLanguageFile, EveryKeyReads) {
  const std::string path = std::string(TARNWICK_SOURCE_DIR) + "/demo/TWLang.ini";
  ASSERT_TRUE(std::filesystem::exists(path)) << path;
  const ProfileFile file(path);
  EXPECT_EQ(ReadCurrentLayoutName(file), "English");

  const std::vector<std::string> names = file.ReadSection(kKeyboardSection);
  EXPECT_EQ(names.size(), kKeyboardKeyCount);
  for (const std::string& name : names) EXPECT_NE(FindKeyboardKey(name), nullptr) << name;

  for (const VisibleField rule : {VisibleField::kExactlyOne, VisibleField::kStrictInteger}) {
    std::vector<NamedKeyboardEntry> keys = BuiltInKeyboard();
    const KeyboardReadResult result = ReadKeyboardEntries(file, keys, rule);
    EXPECT_TRUE(result.ok()) << result.errors.list().front().Text();
    for (const NamedKeyboardEntry& key : keys) {
      SCOPED_TRACE(key.name);
      EXPECT_TRUE(file.ValueExists(kKeyboardSection, key.name));
      EXPECT_EQ(key.entry.font_name, "DejaVu Sans");
      // Apart from the font, the demo keyboard is the built-in UK one.
      KeyboardEntry built_in = BuiltInEntry(*FindKeyboardKey(key.name));
      built_in.font_name = key.entry.font_name;
      EXPECT_EQ(key.entry, built_in);
    }
  }
  EXPECT_EQ(ReadSetupMessages(file), DefaultSetupMessages());
}

}  // namespace
}  // namespace tw
