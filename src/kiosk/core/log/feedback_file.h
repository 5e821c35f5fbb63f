// A visitor's feedback from a kiosk page, stored as a text file for the log roll-over to
// collect.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/system/local_time.h"

namespace tw {

// Most a feedback file holds; a longer feedback is cut, and a last line says so.
inline constexpr std::size_t kFeedbackSizeLimit = 64 * 1024;
inline constexpr std::string_view kFeedbackCutLine = "[feedback cut: longer than 64 KiB]";

// Writes the feedback as "FB" + yymmddhhmmss + ".txt" in `dir`; when a feedback of the
// same second is already there, as "FB...-1.txt", "-2" ... so none is lost. Returns the
// file's path; throws std::runtime_error when the file cannot be written.
std::string WriteFeedbackFile(const std::string& dir, LocalTime now, std::string_view arguments);

}  // namespace tw
