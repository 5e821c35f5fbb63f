// Saving both files: all or nothing, with the previous versions kept.
#include "setup/model/setup_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdlib>
#include <ctime>
#include <set>
#include <filesystem>

#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

std::vector<std::string> FolderContents(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SetupFiles, ASaveReplacesBothFilesAndKeepsThePreviousOnes) {
  test::TempDir dir;
  const SetupPaths paths = SetupPaths::In(dir.path());
  test::Spit(paths.tarnwick, "[URLS]\nStart=old\n");
  test::Spit(paths.language, "[MESSAGES]\nNewBrowserTitle=Hello\n");
  ::chmod(paths.tarnwick.c_str(), 0600);
  LoadedSetup loaded = LoadSetup(paths);
  EXPECT_TRUE(loaded.notices.empty());
  loaded.config.SetValue("URLS", "Start", "new");
  loaded.config.SetMessage(1, "Take it");
  SaveSetup(loaded.config, paths);

  const LoadedSetup again = LoadSetup(paths);
  EXPECT_EQ(again.config.Value("URLS", "Start"), "new");
  EXPECT_EQ(again.config.Message(0), "Hello");
  EXPECT_EQ(test::Slurp(paths.tarnwick + ".bak"), "[URLS]\nStart=old\n");
  EXPECT_EQ(test::Slurp(paths.language + ".bak"), "[MESSAGES]\nNewBrowserTitle=Hello\n");
  struct stat st {};
  ASSERT_EQ(::stat(paths.tarnwick.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(FolderContents(dir.path()),
            (std::vector<std::string>{"TWLang.ini", "TWLang.ini.bak", "Tarnwick.ini", "Tarnwick.ini.bak"}));
}

TEST(SetupFiles, MissingFilesLoadAsDefaultsWithANotice) {
  test::TempDir dir;
  const LoadedSetup loaded = LoadSetup(SetupPaths::In(dir.path()));
  ASSERT_EQ(loaded.notices.size(), 2u);
  EXPECT_NE(loaded.notices[0].find(dir.File("Tarnwick.ini")), std::string::npos);
  EXPECT_EQ(loaded.config.Value("PREFERENCES", "SaveLog"), "0");  // as the kiosk runs without it
}

TEST(SetupFiles, WhenTheSecondFileCannotBeReplacedNeitherChanges) {
  test::TempDir dir;
  const SetupPaths paths = SetupPaths::In(dir.path());
  test::Spit(paths.tarnwick, "[URLS]\nStart=old\n");
  test::Spit(paths.language, "[MESSAGES]\nNewBrowserTitle=Hello\n");
  SetupConfig config = LoadSetup(paths).config;
  config.SetValue("URLS", "Start", "new");
  config.SetMessage(0, "Bye");
  const auto refuse_language = [&](const char* from, const char* to) {
    if (to == paths.language) {
      errno = ENOSPC;
      return -1;
    }
    return std::rename(from, to);
  };
  try {
    ReplaceFilesTogether({{paths.tarnwick, config.TarnwickText()}, {paths.language, config.LanguageText()}},
                         refuse_language);
    FAIL() << "the save reported success";
  } catch (const SetupFileError& e) {
    EXPECT_EQ(e.path(), paths.language);
    EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
  }
  EXPECT_EQ(test::Slurp(paths.tarnwick), "[URLS]\nStart=old\n");
  EXPECT_EQ(test::Slurp(paths.language), "[MESSAGES]\nNewBrowserTitle=Hello\n");
  EXPECT_EQ(FolderContents(dir.path()), (std::vector<std::string>{"TWLang.ini", "Tarnwick.ini"}));
}

TEST(SetupFiles, AFolderThatCannotBeWrittenChangesNothing) {
  test::TempDir dir;
  const SetupPaths paths = SetupPaths::In(dir.path());
  test::Spit(paths.tarnwick, "[URLS]\nStart=old\n");
  SetupConfig config = LoadSetup(paths).config;
  config.SetValue("URLS", "Start", "new");

  // The language file's folder is gone: the first file must not be replaced either.
  const SetupPaths split{paths.tarnwick, dir.File("gone/TWLang.ini")};
  EXPECT_THROW(SaveSetup(config, split), SetupFileError);
  EXPECT_EQ(test::Slurp(paths.tarnwick), "[URLS]\nStart=old\n");

  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  ::chmod(dir.path().c_str(), 0555);
  try {
    SaveSetup(config, paths);
    FAIL() << "the save reported success";
  } catch (const SetupFileError& e) {
    EXPECT_EQ(e.path(), paths.tarnwick);
    EXPECT_NE(std::string(e.what()).find("Permission denied"), std::string::npos) << e.what();
  }
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(test::Slurp(paths.tarnwick), "[URLS]\nStart=old\n");
  EXPECT_EQ(FolderContents(dir.path()), std::vector<std::string>{"Tarnwick.ini"});
}

// A save killed at any moment leaves each file whole: the old or the new one.
TEST(SetupFiles, ASaveKilledAtRandomLeavesWholeFiles) {
  test::TempDir dir;
  const SetupPaths paths = SetupPaths::In(dir.path());
  SetupConfig a;
  a.SetValue("URLS", "Start", "http://a.example/");
  a.SetList(ConfigListId::kCarousel, {{"http://a1/", "5"}, {"http://a2/", "6"}});
  a.SetMessage(0, "Version A");
  SetupConfig b = a;
  b.SetValue("URLS", "Start", "http://b.example/");
  b.SetList(ConfigListId::kCarousel, {{"http://b1/", "7"}});
  b.SetMessage(0, "Version B");
  SaveSetup(a, paths);
  SaveSetup(a, paths);  // backups exist from here on, however early every kill below comes
  const std::vector<std::string> tarnwick = {a.TarnwickText(), b.TarnwickText()};
  const std::vector<std::string> language = {a.LanguageText(), b.LanguageText()};

  std::srand(20261208);
  for (int round = 0; round < 40; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) {
        try {
          SaveSetup(i % 2 == 0 ? b : a, paths);
        } catch (...) {
          ::_exit(3);
        }
      }
    }
    ::usleep(static_cast<useconds_t>(std::rand() % 20000));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process failed on its own";
    const std::string t = test::Slurp(paths.tarnwick);
    const std::string l = test::Slurp(paths.language);
    EXPECT_TRUE(t == tarnwick[0] || t == tarnwick[1]) << "round " << round << ":\n" << t;
    EXPECT_TRUE(l == language[0] || l == language[1]) << "round " << round << ":\n" << l;
  }

  // What the killed saves left behind goes at the next start, and nothing else does: not
  // the files, their backups, a name that only looks like ours, a folder or a link, nor a
  // temporary written after the start (a save of this run).
  for (const char* decoy : {"Tarnwick.ini.abc", "Tarnwick.ini.abcdefg", "Other.ini.abcdef", "Tarnwick.ini.ab-def"}) {
    test::Spit(dir.File(decoy), "keep");
  }
  test::Spit(dir.File("TWLang.ini.bak.Zz9aB1"), "left by a save");  // besides any the kills left
  std::filesystem::create_directory(dir.File("TWLang.ini.Folder"));
  std::filesystem::create_symlink(paths.tarnwick, dir.File("Tarnwick.ini.Link01"));
  const std::time_t start = std::time(nullptr) + 1;
  test::Spit(dir.File("Tarnwick.ini.Newer1"), "a save of this run");
  const struct timespec later[2] = {{start + 5, 0}, {start + 5, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, dir.File("Tarnwick.ini.Newer1").c_str(), later, 0), 0);
  RemoveLeftoverTemporaries(dir.path(), start);
  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) left.insert(entry.path().filename());
  const std::set<std::string> expected = {"Tarnwick.ini",        "TWLang.ini",          "Tarnwick.ini.bak",
                                          "TWLang.ini.bak",      "Tarnwick.ini.abc",    "Tarnwick.ini.abcdefg",
                                          "Other.ini.abcdef",    "Tarnwick.ini.ab-def", "TWLang.ini.Folder",
                                          "Tarnwick.ini.Link01", "Tarnwick.ini.Newer1"};
  EXPECT_EQ(left, expected);
}

}  // namespace
}  // namespace tw
