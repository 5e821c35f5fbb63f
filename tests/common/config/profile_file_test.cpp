#include "common/config/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::Slurp;
using test::Spit;

TEST(ProfileInteger, LenientAndStrictReadings) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"300", 300},
      {"-5", -5},
      {"$10", 16},
      {"0x1F", 31},
      {"0X1f", 31},
      {"$8000000F", static_cast<std::int32_t>(0x8000000Fu)},
      {"$00FFFFFF", 0xFFFFFF},
      {" 42 ", 42},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"$100000000", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"", std::nullopt},
      {"yes", std::nullopt},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseProfileInteger(c.text), c.value);
    if (c.value) {
      EXPECT_EQ(StrictProfileInteger(c.text), *c.value);
    } else {
      EXPECT_THROW(StrictProfileInteger(c.text), ConversionError);
    }
  }
  try {
    StrictProfileInteger("abc");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}

class ProfileFileTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string path_ = dir_.File("Tarnwick.ini");
};

TEST_F(ProfileFileTest, ReadsNamesWithoutRegardToCase) {
  Spit(path_, "[Preferences]\nEmailLog=1\nOkWav=ding.wav\n[sounds]\nOKWAV = other.wav \n");
  ProfileFile f(path_);
  EXPECT_TRUE(f.ReadBool("PREFERENCES", "EMailLog", false));
  EXPECT_EQ(f.ReadString("preferences", "OKWav", "x"), "ding.wav");
  EXPECT_EQ(f.ReadString("SOUNDS", "OkWav", "x"), "other.wav");
  EXPECT_EQ(f.ReadString("SOUNDS", "Missing", "dflt"), "dflt");
  EXPECT_EQ(f.ReadString("NOSECTION", "OkWav", "dflt"), "dflt");
}

TEST_F(ProfileFileTest, BooleansFollowTheIntegerReading) {
  Spit(path_, "[P]\nTwo=2\nMinus=-1\nYes=yes\nZero=0\nEmpty=\nHex=$1\n");
  ProfileFile f(path_);
  EXPECT_TRUE(f.ReadBool("P", "Two", false));
  EXPECT_TRUE(f.ReadBool("P", "Minus", false));
  EXPECT_FALSE(f.ReadBool("P", "Yes", false));
  EXPECT_TRUE(f.ReadBool("P", "Yes", true));
  EXPECT_FALSE(f.ReadBool("P", "Zero", true));
  EXPECT_TRUE(f.ReadBool("P", "Empty", true));
  EXPECT_TRUE(f.ReadBool("P", "Hex", false));
  EXPECT_EQ(f.ReadInteger("P", "Yes", 7), 7);
}

TEST_F(ProfileFileTest, MissingEmptyAndBinaryFilesGiveDefaults) {
  ProfileFile missing(dir_.File("absent.ini"));
  EXPECT_EQ(missing.ReadString("A", "B", "d"), "d");
  EXPECT_TRUE(missing.ReadSection("A").empty());

  Spit(path_, "");
  EXPECT_EQ(ProfileFile(path_).ReadInteger("A", "B", 3), 3);

  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 7919) & 0xFF));
  Spit(path_, binary);
  EXPECT_EQ(ProfileFile(path_).ReadString("PREFERENCES", "ScreenMode", "A"), "A");
}

TEST_F(ProfileFileTest, LoadThenWriteKeepsEverythingElseByteForByte) {
  const std::string original =
      "; operator notes\r\n[PREFERENCES]\r\nSaveLog=1\r\n  LogHour = 3\r\n\r\n[URLS]\r\nStart=file:///C|/k/s.htm\r\n";
  Spit(path_, original);
  ProfileFile f(path_);
  f.WriteString("PREFERENCES", "savelog", "1");
  EXPECT_EQ(
      Slurp(path_),
      "; operator notes\r\n[PREFERENCES]\r\nsavelog=1\r\n  LogHour = 3\r\n\r\n[URLS]\r\nStart=file:///C|/k/s.htm\r\n");
  f.WriteString("PREFERENCES", "NewKey", "v");
  f.WriteString("NEW", "A", "b");
  EXPECT_EQ(Slurp(path_),
            "; operator notes\r\n[PREFERENCES]\r\nsavelog=1\r\n  LogHour = 3\r\nNewKey=v\r\n\r\n[URLS]\r\n"
            "Start=file:///C|/k/s.htm\r\n[NEW]\r\nA=b\r\n");
}

TEST_F(ProfileFileTest, ErasedListSectionIsRecreatedAtTheEnd) {
  Spit(path_, "[PROTOCOLS]\nBlock0=ftp\nBlock1=news\n[URLS]\nStart=s\n");
  ProfileFile f(path_);
  WriteList(f, {"PROTOCOLS", "Block"}, {}, {{"gopher"}});
  EXPECT_EQ(Slurp(path_), "[URLS]\nStart=s\n[PROTOCOLS]\nBlock0=gopher\n");
  WriteList(f, {"PROTOCOLS", "Block"}, {}, {});
  EXPECT_FALSE(f.SectionExists("PROTOCOLS"));
}

TEST_F(ProfileFileTest, ListReadingUsesTheCountNotTheNames) {
  // Numbered with a gap: read as Block0 and Block1; Block1 is absent, Block2 never read.
  Spit(path_,
       "[PROTOCOLS]\nBlock0=ftp\nBlock2=news\n"
       "[CAROUSELURLS]\nURL0=a\nURL1=b\n[CAROUSELTIMES]\nTime0=30\n");
  ProfileFile f(path_);
  const auto blocks = ReadList(f, {"PROTOCOLS", "Block"});
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0][0], "ftp");
  EXPECT_EQ(blocks[1][0], "");
  const auto carousel = ReadList(f, {"CAROUSELURLS", "URL"}, {{"CAROUSELTIMES", "Time"}});
  ASSERT_EQ(carousel.size(), 2u);
  EXPECT_EQ(carousel[1], (std::vector<std::string>{"b", ""}));
}

TEST_F(ProfileFileTest, LongValuesAndLongKeyListsRoundTrip) {
  ProfileFile f(path_);
  const std::string value(1023, 'v');
  f.WriteString("S", "Long", value);
  EXPECT_EQ(f.ReadString("S", "Long", ""), value);
  f.WriteString("S", "TooLong", value + "tail");
  EXPECT_EQ(f.ReadString("S", "TooLong", ""), value);

  // About 8192 bytes of key names (each name plus its terminator).
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < 900; ++i) rows.push_back({"item" + std::to_string(i)});
  WriteList(f, {"CHILDSTRINGS", "ChildString"}, {}, rows);
  ProfileFile again(path_);
  EXPECT_EQ(ReadList(again, {"CHILDSTRINGS", "ChildString"}), rows);
}

TEST_F(ProfileFileTest, LineBreaksInAValueCannotInjectKeys) {
  ProfileFile f(path_);
  f.WriteString("S", "K", "a\nEvil=1");
  EXPECT_FALSE(f.ValueExists("S", "Evil"));
  EXPECT_EQ(f.ReadString("S", "K", ""), "a Evil=1");
}

TEST_F(ProfileFileTest, SeesChangesMadeByAnotherWriter) {
  ProfileFile reader(path_);
  ProfileFile writer(path_);
  EXPECT_EQ(reader.ReadString("S", "K", "none"), "none");
  writer.WriteString("S", "K", "first");
  EXPECT_EQ(reader.ReadString("S", "K", "none"), "first");
  writer.WriteString("S", "K", "second-longer");
  EXPECT_EQ(reader.ReadString("S", "K", "none"), "second-longer");
}

TEST_F(ProfileFileTest, FailedWriteNamesThePathAndKeepsTheOldFile) {
  Spit(path_, "[S]\nK=old\n");
  if (geteuid() == 0) {
    // root ignores directory permissions: use a path whose directory does not exist.
    ProfileFile f(dir_.File("no-such-dir/Tarnwick.ini"));
    try {
      f.WriteString("S", "K", "new");
      FAIL();
    } catch (const ProfileWriteError& e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir_.File("no-such-dir/Tarnwick.ini"));
    }
    return;
  }
  ::chmod(dir_.path().c_str(), 0555);
  ProfileFile f(path_);
  EXPECT_THROW(f.WriteString("S", "K", "new"), ProfileWriteError);
  ::chmod(dir_.path().c_str(), 0755);
  EXPECT_EQ(Slurp(path_), "[S]\nK=old\n");
}

TEST_F(ProfileFileTest, WriteLeavesNoTemporaryFiles) {
  ProfileFile f(path_);
  f.WriteInteger("S", "N", -12);
  f.WriteBool("S", "B", true);
  EXPECT_EQ(Slurp(path_), "[S]\nN=-12\nB=1\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace tw
