#include "setup/model/list_edit.h"

#include <gtest/gtest.h>

#include "common/config/password_sequence.h"

namespace tw {
namespace {

ConfigRows Rows(std::initializer_list<const char*> items) {
  ConfigRows rows;
  for (const char* item : items) rows.push_back({item, std::string(item) + "!"});
  return rows;
}

TEST(ListEdit, EditsTheCurrentItemAndKeepsFieldsTogether) {
  ListEdit list(Rows({"a", "b", "c"}));
  list.Select(2);
  list.MoveDown();  // nothing below the last
  EXPECT_EQ(list.rows(), Rows({"a", "b", "c"}));
  list.MoveUp();
  EXPECT_EQ(list.rows(), Rows({"a", "c", "b"}));
  EXPECT_EQ(list.current(), 1u);
  list.Select(0);
  list.MoveUp();  // nothing above the first
  EXPECT_EQ(list.current(), 0u);
  list.SetField(1, "x");
  EXPECT_EQ(list.rows()[0], (std::vector<std::string>{"a", "x"}));
  list.Select(7);  // outside: ignored
  EXPECT_EQ(list.current(), 0u);

  list.Select(2);
  list.Delete();  // the one before becomes current
  EXPECT_EQ(list.current(), 1u);
  list.Select(0);
  list.Delete();  // the first deleted: the new first is current
  EXPECT_EQ(list.current(), 0u);
  EXPECT_EQ(list.rows(), Rows({"c"}));
  list.Delete();
  EXPECT_TRUE(list.empty());
  list.SetField(0, "ignored");
  list.Delete();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.current(), 0u);

  ASSERT_TRUE(list.Add({"http://", "5"}));
  ASSERT_TRUE(list.Add({"z", "1"}));
  EXPECT_EQ(list.current(), 1u);
  ASSERT_TRUE(list.Insert({"y", "2"}));
  EXPECT_EQ(list.rows(), (ConfigRows{{"http://", "5"}, {"y", "2"}, {"z", "1"}}));
  EXPECT_EQ(list.current(), 1u);
}

TEST(ListEdit, ThePasswordStopsAtItsLimit) {
  ListEdit password(PasswordRows(std::string(kMaxPasswordSteps - 1, 'C')), kMaxPasswordSteps);
  EXPECT_TRUE(password.Add({"A"}));
  EXPECT_TRUE(password.full());
  EXPECT_FALSE(password.Add({"A"}));
  EXPECT_FALSE(password.Insert({"B"}));
  const std::string text = PasswordFromRows(password.rows());
  EXPECT_EQ(text.size(), kMaxPasswordSteps);
  EXPECT_EQ(text.back(), 'A');
  EXPECT_EQ(PasswordStepCaption("A"), "A - Clock");
  EXPECT_EQ(PasswordStepCaption("Z"), "Z - Keyboard Button");
  EXPECT_EQ(PasswordStepCaption("D"), "D - Custom Button 1");
  EXPECT_EQ(PasswordStepCaption("a"), "a - ?");
}

}  // namespace
}  // namespace tw
