#include "kiosk/browser/external/browser_error_lines.h"

namespace tw {
namespace {

// "[1:2:1209/101010.123456:ERROR:socket.cc(55)] text": the level, and the text alone.
std::string_view LevelOf(std::string_view line) {
  if (!line.starts_with('[')) return {};
  const std::size_t close = line.find("] ");
  if (close == std::string_view::npos) return {};
  const std::string_view prefix = line.substr(1, close - 1);
  for (std::string_view level : {"FATAL", "ERROR"}) {
    if (prefix.find(std::string(":") + std::string(level) + ":") != std::string_view::npos) return level;
  }
  return "OTHER";
}

std::string_view TextOf(std::string_view line) {
  if (LevelOf(line).empty()) return line;
  return line.substr(line.find("] ") + 2);
}

}  // namespace

void BrowserErrorLines::Add(std::string_view chunk) {
  for (char c : chunk) {
    if (c == '\n') {
      Line(partial_);
      partial_.clear();
    } else if (partial_.size() < kMaxLine && c != '\r') {
      partial_ += c;
    }
  }
}

void BrowserErrorLines::Line(std::string_view line) {
  if (line.find_first_not_of(" \t") == std::string_view::npos) return;
  const std::string_view level = LevelOf(line);
  const std::string text(TextOf(line));
  if (level == "FATAL") fatal_ = text;
  if (level == "ERROR") error_ = text;
  last_ = text;
}

std::string BrowserErrorLines::Reason() const {
  if (!fatal_.empty()) return fatal_;
  if (!error_.empty()) return error_;
  if (!last_.empty()) return last_;
  return std::string(TextOf(partial_));
}

void BrowserErrorLines::Clear() { *this = BrowserErrorLines(); }

}  // namespace tw
