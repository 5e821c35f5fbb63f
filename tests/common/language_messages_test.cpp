#include "common/language_messages.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/profile_file.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

class LanguageMessagesTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

  test::TempDir dir_;
  std::string path_ = dir_.File("TWLang.ini");
};

TEST_F(LanguageMessagesTest, KioskAndSetupFallBackToTheirOwnDefaults) {
  WriteFile("[MESSAGES]\nErrorString0=Serveur incorrect\nNewBrowserRemove=Fermer\n");
  const ProfileFile file(path_);

  const auto errors = ReadErrorStrings(file);
  EXPECT_EQ(errors[0], "Serveur incorrect");
  EXPECT_EQ(errors[1], "User Name incorrect");  // the English text, never a placeholder
  EXPECT_EQ(errors[7], "Cancelled");            // shown to visitors, and no Setup Manager writes it

  const NewBrowserMessages browser = ReadNewBrowserMessages(file);
  EXPECT_EQ(browser.title, "New Browser Window Detected!");
  EXPECT_EQ(browser.transfer, "Transfer Control");
  EXPECT_EQ(browser.remove, "Fermer");

  const SetupMessages setup = ReadSetupMessages(file);
  EXPECT_EQ(setup[2], "Fermer");
  EXPECT_EQ(setup[3], "Serveur incorrect");
  EXPECT_EQ(setup[6], "From required");  // ErrorString3 absent
  EXPECT_EQ(setup[9], "Delete Email");
}

TEST_F(LanguageMessagesTest, SetupWritesTenMessagesButNeverErrorString7) {
  WriteFile("[MESSAGES]\nErrorString7=Hand made\n");
  {
    ProfileFile file(path_);
    SetupMessages messages = DefaultSetupMessages();
    messages[6] = "Expediteur requis";
    WriteSetupMessages(file, messages);
  }
  const ProfileFile file(path_);
  const std::vector<std::string> keys = file.ReadSection(kMessagesSection);
  EXPECT_EQ(keys.size(), 11u);
  EXPECT_EQ(file.ReadString(kMessagesSection, "ErrorString3", ""), "Expediteur requis");
  EXPECT_EQ(file.ReadString(kMessagesSection, "NewBrowserTitle", ""), "New Browser Window Detected!");
  EXPECT_EQ(ReadErrorStrings(file)[7], "Hand made");

  test::TempDir other;
  ProfileFile fresh(other.File("new.ini"));
  WriteSetupMessages(fresh, DefaultSetupMessages());
  EXPECT_EQ(fresh.ReadSection(kMessagesSection).size(), kSetupMessageCount);
  EXPECT_FALSE(fresh.ValueExists(kMessagesSection, "ErrorString7"));
}

}  // namespace
}  // namespace tw
