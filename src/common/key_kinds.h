// The kinds that describe an on-screen key, under the names the language-file code uses.
// They are the key table's own types, so a key read from a file and a built-in key are
// described the same way; the numbers of the layouts are the ones stored in the file.
#pragma once

#include "common/key_table.h"

namespace tw {

using KeyLayout = TKeyLayout;
using KeyType = TKeyType;
using KeyColour = TKeyColour;

static_assert(static_cast<int>(KeyLayout::klLetterPlus) == 4);

}  // namespace tw
