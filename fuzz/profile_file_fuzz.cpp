// Fuzzes the profile-file parser and editor: whatever the bytes, parsing never fails,
// an unchanged file is written back byte for byte, and a written value reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/profile_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  tw::ProfileText text(input);
  Check(text.Text() == input);

  for (const std::string& section : text.SectionNames()) {
    for (const std::string& key : text.KeyNames(section)) {
      const auto value = text.Get(section, key);
      Check(value.has_value());
      tw::ParseProfileInteger(*value);
    }
  }

  // Edits keep everything readable and the written value reads back (values are stored
  // on one line, without surrounding blanks).
  text.Set("FUZZ", "Key", "value one");
  Check(text.Get("fuzz", "KEY") == std::optional<std::string>("value one"));
  const std::string first_section = text.SectionNames().front();
  text.Set(first_section, "Added", "x=y");
  Check(text.Get(first_section, "added") == std::optional<std::string>("x=y"));
  tw::ProfileText reparsed(text.Text());
  Check(reparsed.Get(first_section, "Added") == std::optional<std::string>("x=y"));
  reparsed.EraseSection(first_section);
  Check(!reparsed.HasSection(first_section));
  return 0;
}
