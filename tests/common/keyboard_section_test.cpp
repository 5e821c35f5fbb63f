#include "common/keyboard_section.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/profile_file.h"
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

TEST_F(KeyboardSectionTest, StopsAtTheFirstBadKeyAndKeepsWhatWasRead) {
  WriteFile(
      "[KEYBOARD]\n"
      "K1=\"a\",\"\",\"\",\"\",\"a\",1,F,16,1\n"
      "K3=\"c\",\"\",\"\",\"\",\"c\",big,F,16,1\n"
      "K4=\"d\",\"\",\"\",\"\",\"d\",1,F,16,1\n");
  std::vector<NamedKeyboardEntry> keys = {Key("K1", "1"), Key("K2", "2"), Key("K3", "3"), Key("K4", "4")};
  const KeyboardReadResult result = ReadKeyboardEntries(ProfileFile(path_), keys, VisibleField::kExactlyOne);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.keys_read, 2u);
  EXPECT_EQ(result.failed_key, "K3");
  EXPECT_EQ(result.error, "'big' is not a valid integer value");
  EXPECT_EQ(keys[0].entry.caption, "a");  // read
  EXPECT_EQ(keys[1].entry.caption, "2");  // absent: as built in
  EXPECT_EQ(keys[2].entry.caption, "3");  // the bad one is left alone
  EXPECT_EQ(keys[3].entry.caption, "4");  // never read
}

TEST_F(KeyboardSectionTest, MissingFileLeavesEveryKey) {
  std::vector<NamedKeyboardEntry> keys = {Key("K1", "1"), Key("K2", "2")};
  const auto before = keys;
  const KeyboardReadResult result =
      ReadKeyboardEntries(ProfileFile(dir_.File("absent.ini")), keys, VisibleField::kStrictInteger);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.keys_read, 2u);
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
  // The cut value loses its numeric tail, so reading stops there with an error.
  const KeyboardReadResult result = ReadKeyboardEntries(ProfileFile(path_), read, VisibleField::kStrictInteger);
  EXPECT_EQ(result.failed_key, "KLong");
  EXPECT_EQ(read[0].entry, keys[0].entry);
  EXPECT_EQ(read[1].entry, keys[1].entry);
  EXPECT_EQ(read[2].entry.caption, "?");
}

}  // namespace
}  // namespace tw
