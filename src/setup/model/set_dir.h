// Set Dir: moving the example setup to the folder the programs really run from.
//
// The example configuration names its files under the example install folder
// (/opt/tarnwick/), or, in files made on the older system, under C:\Tarnwick\ and as local
// pages under C|/Tarnwick/. Every occurrence in every value is replaced: paths by the
// program folder, pages by the program folder's local URL (percent-encoded). After an
// old-system path the rest of it gets "/" for "\". Linux paths compare with case, the
// old system's without; a Linux path counts only where a path starts (the value's start,
// after a blank, a quote, "," ";" "=" or "file://"), not inside a web address.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "setup/model/setup_config.h"

namespace tw {

inline constexpr std::string_view kExampleInstallFolder = "/opt/tarnwick/";

// Set Dir is offered only away from the example folder.
bool OffersSetDir(std::string_view program_folder);

// The value with every example path replaced; `program_folder` is absolute.
std::string RebaseExamplePaths(std::string_view value, std::string_view program_folder);

// The number of values (keys and list items, not the notes) that name the example folder.
std::size_t CountExamplePaths(const SetupConfig& config);

// Rebases every value; returns the number of values changed.
std::size_t RebaseExamplePaths(SetupConfig& config, std::string_view program_folder);

// What the operator is told when nothing was found, and asked before anything changes.
std::string SetDirNotFoundText();
std::string SetDirQuestionText(std::string_view program_folder);

}  // namespace tw
