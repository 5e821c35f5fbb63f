#include "kiosk/core/commands/exit_password.h"

namespace tw {

bool ExitPassword::Press(const std::string& password, int tag) {
  if (ExpectedLetter(password) == 0 || ExpectedLetter(password) - 64 != tag) {
    position_ = 1;
    return false;
  }
  if (++position_ <= password.size()) return false;
  position_ = 1;
  return true;
}

int ExitPassword::ExpectedLetter(const std::string& password) const {
  if (position_ < 1 || position_ > password.size()) return 0;
  return static_cast<unsigned char>(password[position_ - 1]);
}

}  // namespace tw
