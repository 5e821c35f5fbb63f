// The operator's exit password, typed letter by letter on the kiosk's tagged buttons (a
// button's tag is its letter's code minus 64: tag 1 = A). A wrong button starts the
// sequence again; it is not tried as a new first letter.
#pragma once

#include <string>

namespace tw {

class ExitPassword {
 public:
  // True when this press completes `password` (the sequence then starts again).
  bool Press(const std::string& password, int tag);
  // The letter expected next (its character code), 0 when the password has none.
  int ExpectedLetter(const std::string& password) const;
  void Reset() { position_ = 1; }

 private:
  std::size_t position_ = 1;  // 1-based
};

}  // namespace tw
