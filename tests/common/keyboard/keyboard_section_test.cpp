#include "common/keyboard/keyboard_section.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/config/profile_file.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

NamedKeyboardEntry Key(std::string name, std::string caption) {
  KeyboardEntry entry;
  entry.caption = std::move(caption);
  entry.font_name = "MS Sans Serif";
  return {std::move(name), entry};
}

class KeyboardSectionTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

  test::TempDir dir_;
  std::string path_ = dir_.File("TWLang.ini");
};

TEST_F(KeyboardSectionTest, ABadValueCostsOnlyItsKey) {
  WriteFile(
      "[KEYBOARD]\n"
      "K1=\"a\",\"\",\"\",\"\",\"a\",1,F,16,1\n"
      "K3=\"c\",\"\",\"\",\"\",\"c\",big,F,16,1\n"
      "K4=\"d\",\"\",\"\",\"\",\"d\",1,F,16,1\n");
  std::vector<NamedKeyboardEntry> keys = {Key("K1", "1"), Key("K2", "2"), Key("K3", "3"), Key("K4", "4")};
  const KeyboardReadResult result = ReadKeyboardEntries(ProfileFile(path_), keys, VisibleField::kExactlyOne);
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_EQ(result.errors.list()[0].Text(),
            "Setting [KEYBOARD] K3=\"c\",\"\",\"\",\"\",\"c\",big,F,16,1 in TWLang.ini: 'big' is not a valid integer "
            "value - the default is used");
  EXPECT_EQ(keys[0].entry.caption, "a");  // read
  EXPECT_EQ(keys[1].entry.caption, "2");  // absent: as built in
  EXPECT_EQ(keys[2].entry.caption, "3");  // the bad one is left alone
  EXPECT_EQ(keys[3].entry.caption, "d");  // read all the same
}

TEST_F(KeyboardSectionTest, MissingFileLeavesEveryKey) {
  std::vector<NamedKeyboardEntry> keys = {Key("K1", "1"), Key("K2", "2")};
  const auto before = keys;
  const KeyboardReadResult result =
      ReadKeyboardEntries(ProfileFile(dir_.File("absent.ini")), keys, VisibleField::kStrictInteger);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(keys[0].entry, before[0].entry);
  EXPECT_EQ(keys[1].entry, before[1].entry);
}

TEST_F(KeyboardSectionTest, WrittenKeysReadBackThroughTheFile) {
  std::vector<NamedKeyboardEntry> keys = {Key("KSpace", ""), Key("KQuote", "\""), Key("KLong", "")};
  keys[0].entry.send_string = " ";
  keys[0].entry.visible = false;
  keys[1].entry.caption2 = "2";
  keys[2].entry.caption4 = std::string(2000, 'x');  // cut to the longest value on reading
  {
    ProfileFile file(path_);
    WriteKeyboardEntries(file, keys);
  }
  std::vector<NamedKeyboardEntry> read = {Key("kspace", "?"), Key("KQUOTE", "?"), Key("KLong", "?")};
  // The cut value loses its numeric tail: that key is an error and keeps its entry.
  const KeyboardReadResult result = ReadKeyboardEntries(ProfileFile(path_), read, VisibleField::kStrictInteger);
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_EQ(result.errors.list()[0].key, "KLong");
  EXPECT_EQ(read[0].entry, keys[0].entry);
  EXPECT_EQ(read[1].entry, keys[1].entry);
  EXPECT_EQ(read[2].entry.caption, "?");
}

}  // namespace
}  // namespace tw
