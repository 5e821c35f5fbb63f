#include "mail/boundary.h"

#include <random>

namespace tw {

std::string RandomBoundary() {
  static std::random_device source;
  std::uniform_int_distribution<int> digit(0, 8);
  std::string boundary;
  for (int i = 0; i < 8; ++i) boundary.push_back(static_cast<char>('0' + digit(source)));
  return boundary;
}

}  // namespace tw
