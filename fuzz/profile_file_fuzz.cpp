// Fuzzes the profile-file parser and editor: whatever the bytes, parsing never fails,
// an unchanged file is written back byte for byte, a written value reads back, and a
// section rewritten in place holds its new keys and nothing else changes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/config/profile_file.h"

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

  // A list rewritten in place holds exactly its new keys; every other section keeps its values.
  const tw::ProfileText original(input);
  const auto names = original.SectionNames();
  if (!names.empty()) {
    const std::string& target = names.front();
    tw::ProfileText list = original;
    list.ReplaceSectionKeys(target, {{"Item0", "a"}, {"Item1", "b c"}});
    const tw::ProfileText again(list.Text());
    Check(again.KeyNames(target) == std::vector<std::string>{"Item0", "Item1"});
    Check(again.Get(target, "Item1") == std::optional<std::string>("b c"));
    for (const std::string& section : names) {
      if (tw::SameName(section, target)) continue;
      for (const std::string& key : original.KeyNames(section))
        Check(again.Get(section, key) == original.Get(section, key));
    }
    list.ReplaceSectionKeys(target, {});
    Check(!tw::ProfileText(list.Text()).HasSection(target));
  }
  return 0;
}
