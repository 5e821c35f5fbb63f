// A machine keyboard layout of a given name.
#pragma once

#include <string>
#include <utility>

#include "platform/system_keyboard.h"

namespace tw::test {

class FakeSystemKeyboard : public SystemKeyboard {
 public:
  explicit FakeSystemKeyboard(std::string name) : name_(std::move(name)) {}
  std::string LayoutName() const override { return name_; }

 private:
  std::string name_;
};

}  // namespace tw::test
