#include "setup/model/set_dir.h"

#include "common/texts/ascii_case.h"
#include "common/addresses/local_url.h"

namespace tw {
namespace {

constexpr std::string_view kOldPath = "C:\\Tarnwick\\";
constexpr std::string_view kOldUrlPath = "C|/Tarnwick/";
constexpr std::string_view kFileScheme = "file://";

std::string WithSlash(std::string_view folder) {
  std::string f(folder);
  if (f.empty() || f.back() != '/') f += '/';
  return f;
}

bool StartsAt(std::string_view value, std::size_t at, std::string_view what, bool ignore_case) {
  if (at > value.size() || value.size() - at < what.size()) return false;
  const std::string_view part = value.substr(at, what.size());
  return ignore_case ? EqualIgnoringAsciiCase(part, what) : part == what;
}

bool EndsPath(char c) { return c == ' ' || c == '\t' || c == '"' || c == ',' || c == ';'; }

bool IsListed(ConfigListId id) { return id != ConfigListId::kConfiguration; }

bool NamesExample(std::string_view value) { return value != RebaseExamplePaths(value, "/nowhere-else/"); }

}  // namespace

bool OffersSetDir(std::string_view program_folder) { return WithSlash(program_folder) != kExampleInstallFolder; }

std::string RebaseExamplePaths(std::string_view value, std::string_view program_folder) {
  const std::string folder = WithSlash(program_folder);
  std::string url = LocalUrlFromPath(folder);
  if (url.empty() || url.back() != '/') url += '/';
  const std::string url_path = url.substr(kFileScheme.size());  // "/home/a%20b/"
  std::string out;
  std::size_t i = 0;
  while (i < value.size()) {
    if (StartsAt(value, i, "file:///", true) && StartsAt(value, i + 8, kOldUrlPath, true)) {
      out += url;
      i += 8 + kOldUrlPath.size();
    } else if (StartsAt(value, i, kOldUrlPath, true)) {
      out += url_path;
      i += kOldUrlPath.size();
    } else if (StartsAt(value, i, kFileScheme, true) &&
               StartsAt(value, i + kFileScheme.size(), kExampleInstallFolder, false)) {
      out += url;
      i += kFileScheme.size() + kExampleInstallFolder.size();
    } else if (StartsAt(value, i, kOldPath, true)) {
      out += folder;
      i += kOldPath.size();
      for (; i < value.size() && !EndsPath(value[i]); ++i) out += value[i] == '\\' ? '/' : value[i];
    } else if ((i == 0 || EndsPath(value[i - 1]) || value[i - 1] == '=') &&
               StartsAt(value, i, kExampleInstallFolder, false)) {
      out += folder;
      i += kExampleInstallFolder.size();
    } else {
      out += value[i++];
    }
  }
  return out;
}

std::size_t CountExamplePaths(const SetupConfig& config) {
  std::size_t count = 0;
  for (const ConfigKey& key : ConfigKeys()) count += NamesExample(config.Value(key.section, key.name)) ? 1 : 0;
  for (const ConfigList& list : ConfigLists()) {
    if (!IsListed(list.id)) continue;
    for (const auto& row : config.List(list.id)) {
      for (const auto& cell : row) count += NamesExample(cell) ? 1 : 0;
    }
  }
  return count;
}

std::size_t RebaseExamplePaths(SetupConfig& config, std::string_view program_folder) {
  std::size_t changed = 0;
  for (const ConfigKey& key : ConfigKeys()) {
    const std::string& value = config.Value(key.section, key.name);
    std::string rebased = RebaseExamplePaths(value, program_folder);
    if (rebased != value) {
      config.SetValue(key.section, key.name, rebased);
      ++changed;
    }
  }
  for (const ConfigList& list : ConfigLists()) {
    if (!IsListed(list.id)) continue;
    ConfigRows rows = config.List(list.id);
    bool any = false;
    for (auto& row : rows) {
      for (auto& cell : row) {
        std::string rebased = RebaseExamplePaths(cell, program_folder);
        if (rebased != cell) {
          cell = std::move(rebased);
          ++changed;
          any = true;
        }
      }
    }
    if (any) config.SetList(list.id, std::move(rows));
  }
  return changed;
}

std::string SetDirNotFoundText() {
  return std::string(kExampleInstallFolder) + " not found\n\n" + std::string(kOldPath) + " not found\n\n" +
         std::string(kOldUrlPath) +
         " not found\n\nThe settings for the Tarnwick example setup listed above were not found in your current "
         "setup.";
}

std::string SetDirQuestionText(std::string_view program_folder) {
  const std::string folder = WithSlash(program_folder);
  std::string url = LocalUrlFromPath(folder);
  if (url.empty() || url.back() != '/') url += '/';
  return "This action will change some of your path settings for local URLs, graphics, programs etc.\n\n"
         "The changes will effect the default demo settings of " +
         std::string(kExampleInstallFolder) + ", " + std::string(kOldPath) + " and " + std::string(kOldUrlPath) +
         ".\n\nAll references to this path and address will be changed to suit your current Tarnwick path:\n\n" +
         folder + " for local files\n" + url + " for local URL's\n\n" +
         "These changes will enable you to work with the Tarnwick example setup. \n\nDo you wish to proceed?.";
}

}  // namespace tw
