// Helpers shared by the protocol clients' tests.
#pragma once

#include <functional>
#include <string>

#include "mail/mail_errors.h"

namespace tw::test {

// The message of the exception of type E that action raises, or a text saying what
// happened instead.
template <typename E>
std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.what();
  } catch (const std::exception& e) {
    return std::string("wrong exception: ") + e.what();
  }
  return "no exception";
}

}  // namespace tw::test
