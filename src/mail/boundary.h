// Multipart boundaries: eight decimal digits from the system's random source.
#pragma once

#include <string>

namespace tw {

std::string RandomBoundary();

}  // namespace tw
