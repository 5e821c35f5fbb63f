#include "setup/model/setup_fields.h"

#include <gtest/gtest.h>

#include "common/config/config_keys.h"
#include "common/config/profile_file.h"

namespace tw {
namespace {

// A key's field comes from its row or is built with the buttons' records: a key the
// kiosk reads needs one, unless only an operator adds it by hand, and none may have two
// (a row given a control that the buttons' fields build as well).
TEST(SetupFields, EveryKeyTheKioskReadsHasOneField) {
  for (const ConfigKey& key : ConfigKeys()) {
    int fields = 0;
    for (const SetupField& field : SetupFields()) {
      if (!field.section.empty() && SameName(field.section, key.section) && SameName(field.key, key.name)) ++fields;
    }
    EXPECT_LE(fields, 1) << key.section << "/" << key.name;
    if (key.kiosk_reads() && key.written) {
      EXPECT_EQ(fields, 1) << key.section << "/" << key.name;
    }
  }
}

}  // namespace
}  // namespace tw
