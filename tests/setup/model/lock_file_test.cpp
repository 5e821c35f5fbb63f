#include "setup/model/lock_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tw {
namespace {

TEST(SetupLock, OneSetupManagerPerFolder) {
  test::TempDir dir;
  test::TempDir other;
  auto first = std::make_unique<SetupLock>(dir.path());
  EXPECT_EQ(first->state(), SetupLock::State::kHeld);
  EXPECT_EQ(SetupLock(dir.path()).state(), SetupLock::State::kTakenByAnother);
  EXPECT_EQ(SetupLock(other.path()).state(), SetupLock::State::kHeld);
  first.reset();
  EXPECT_EQ(SetupLock(dir.path()).state(), SetupLock::State::kHeld);
  const SetupLock gone(dir.File("no/such/folder"));
  EXPECT_EQ(gone.state(), SetupLock::State::kFolderNotWritable);
  EXPECT_FALSE(gone.reason().empty());
}

}  // namespace
}  // namespace tw
